// library_velkaro.js -- the one import of the web SDL that pauses the game: a
// sleep that hands the page back to the browser (asyncify) until it is over.
mergeInto(LibraryManager.library, {
  velkaro_web_sleep__deps: ['$Asyncify'],
  velkaro_web_sleep: function(ms) {
    return Asyncify.handleSleep(function(wakeUp) {
      // Started from a message rather than from the previous sleep's timer,
      // the timer is not a nested one, which browsers stretch to 4 ms.
      var ch = Module.velkaroSleepChannel;
      if (!ch) {
        ch = Module.velkaroSleepChannel = new MessageChannel();
        ch.port1.onmessage = function() { setTimeout(Module.velkaroWake, Module.velkaroSleepMs); };
      }
      Module.velkaroWake = wakeUp;
      Module.velkaroSleepMs = ms;
      ch.port2.postMessage(0);
    });
  },
});
