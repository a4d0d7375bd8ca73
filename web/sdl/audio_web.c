/* audio_web.c -- SDL's dummy audio slot as a browser driver: the page's Web
 * Audio node pulls each block through velkaro_audio_fill, which runs SDL's
 * callback (SDL_mixer's mixing) as SDL's audio thread would. There is no
 * thread: the page calls in between frames, while the game sleeps. */
#include <emscripten.h>

#include "SDL_audio.h"
#include "audio/SDL_audio_c.h"
#include "audio/SDL_sysaudio.h"

#undef _THIS /* SDL's drivers name their device "this" */
#define _THIS SDL_AudioDevice *this

EM_JS(void, web_audio_open, (int rate, int channels, int frames), {
	if (Module.velkaroAudioOpen) Module.velkaroAudioOpen(rate, channels, frames);
});

EM_JS(void, web_audio_close, (void), {
	if (Module.velkaroAudioClose) Module.velkaroAudioClose();
});

static int WEBAUD_OpenAudio(_THIS, SDL_AudioSpec *asked)
{
	/* The page plays signed 16-bit mono or stereo samples, as the game asks. */
	if (asked->format != AUDIO_S16SYS || asked->channels > 2) {
		SDL_SetError("the browser build plays 16-bit mono or stereo sound only");
		return -1;
	}
	web_audio_open(asked->freq, asked->channels, asked->samples);
	return 1; /* no audio thread: the page pulls */
}

static void WEBAUD_CloseAudio(_THIS) { web_audio_close(); }
static void WEBAUD_WaitAudio(_THIS) {}
static void WEBAUD_PlayAudio(_THIS) {}
static Uint8 *WEBAUD_GetAudioBuf(_THIS) { return NULL; }

/* Fills frames sample frames of interleaved 16-bit samples at out with what
 * SDL's callback gives, or silence while paused or closed. */
EMSCRIPTEN_KEEPALIVE void velkaro_audio_fill(Uint8 *out, int frames)
{
	SDL_AudioDevice *audio = current_audio;
	const int len = frames * (audio ? audio->spec.channels : 2) * 2;
	SDL_memset(out, 0, len);
	if (audio && audio->opened && audio->enabled && !audio->paused)
		audio->spec.callback(audio->spec.userdata, out, len);
}

static int WEBAUD_Available(void) { return 1; }

static void WEBAUD_DeleteDevice(SDL_AudioDevice *device) { SDL_free(device); }

static SDL_AudioDevice *WEBAUD_CreateDevice(int devindex)
{
	SDL_AudioDevice *this = SDL_calloc(1, sizeof *this);
	if (!this) {
		SDL_OutOfMemory();
		return NULL;
	}
	this->OpenAudio = WEBAUD_OpenAudio;
	this->WaitAudio = WEBAUD_WaitAudio;
	this->PlayAudio = WEBAUD_PlayAudio;
	this->GetAudioBuf = WEBAUD_GetAudioBuf;
	this->CloseAudio = WEBAUD_CloseAudio;
	this->free = WEBAUD_DeleteDevice;
	return this;
}

/* Takes the dummy driver's place in SDL's list of audio drivers. */
AudioBootStrap DUMMYAUD_bootstrap = {"web", "SDL Web Audio", WEBAUD_Available, WEBAUD_CreateDevice};
