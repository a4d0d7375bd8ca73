/* timer_web.c -- SDL's ticks from the page's clock, and SDL_Delay as a real
 * pause of the page (an asyncify sleep) so the game's own frame loop runs
 * unchanged and the browser paints and takes input between frames. */
#include <emscripten.h>

#include "SDL_timer.h"
#include "timer/SDL_timer_c.h"
#include "timer/SDL_systimer.h"

extern void velkaro_web_sleep(int ms); /* library_velkaro.js */

static double startTime;

void SDL_StartTicks(void) { startTime = emscripten_get_now(); }

Uint32 SDL_GetTicks(void) { return (Uint32)(emscripten_get_now() - startTime); }

void SDL_Delay(Uint32 ms) { velkaro_web_sleep((int)ms); }

/* No timer callbacks on the web: SDL_AddTimer reports the error. */
int SDL_SYS_TimerInit(void) { return 0; }
void SDL_SYS_TimerQuit(void) {}
int SDL_SYS_StartTimer(void)
{
	SDL_SetError("Timers are not available in the browser build");
	return -1;
}
void SDL_SYS_StopTimer(void) {}
