/* video_web.c -- SDL's dummy video slot as a browser driver: the screen
 * surface is plain memory that every update copies onto the page's canvas,
 * and the page's key events reach SDL through SDL_PrivateKeyboard.
 *
 * The page (web/page/velkaro.js) queues key events while the game sleeps
 * between frames; they are taken here when the game pumps its events, so a
 * frame sees its keys as it would see them from X. */
#include <emscripten.h>

#include "SDL_video.h"
#include "events/SDL_events_c.h"
#include "events/SDL_sysevents.h"
#include "video/SDL_pixels_c.h"
#include "video/SDL_sysvideo.h"

#undef _THIS /* SDL's drivers name their device "this" */
#define _THIS SDL_VideoDevice *this

#define WEB_SIDE 480 /* the desktop the game is told about: one frame */

struct SDL_PrivateVideoData {
	Uint8 *rgba; /* the canvas copy, 4 bytes a pixel */
	int w, h;
};

EM_JS(void, web_canvas_size, (int w, int h), {
	if (Module.velkaroSetCanvasSize) Module.velkaroSetCanvasSize(w, h);
});

EM_JS(void, web_canvas_put, (Uint8 *rgba, int w, int x, int y, int rw, int rh), {
	if (Module.velkaroPutPixels) Module.velkaroPutPixels(rgba, w, x, y, rw, rh);
});

/* The next queued key event as (pressed << 16 | SDL key), or -1 for none. */
EM_JS(int, web_next_key, (void), {
	var q = Module.velkaroKeyQueue;
	return q && q.length ? q.shift() : -1;
});

static int WEB_VideoInit(_THIS, SDL_PixelFormat *vformat)
{
	vformat->BitsPerPixel = 24;
	vformat->BytesPerPixel = 3;
	this->info.current_w = WEB_SIDE;
	this->info.current_h = WEB_SIDE;
	return 0;
}

static SDL_Rect **WEB_ListModes(_THIS, SDL_PixelFormat *format, Uint32 flags)
{
	return (SDL_Rect **)-1; /* any size: the page scales what it gets */
}

static SDL_Surface *WEB_SetVideoMode(_THIS, SDL_Surface *current, int width, int height, int bpp, Uint32 flags)
{
	Uint8 *pixels, *rgba;
	if (bpp != 32) bpp = 24; /* the canvas copy reads 24- and 32-bit pixels */
	pixels = SDL_calloc(1, (size_t)width * height * (bpp / 8));
	rgba = SDL_malloc((size_t)width * height * 4);
	if (!pixels || !rgba) {
		SDL_free(pixels);
		SDL_free(rgba);
		SDL_OutOfMemory();
		return NULL;
	}
	if (!SDL_ReallocFormat(current, bpp, 0, 0, 0, 0)) {
		SDL_free(pixels);
		SDL_free(rgba);
		return NULL;
	}
	SDL_free(current->pixels);
	SDL_free(this->hidden->rgba);
	SDL_memset(rgba, 0, (size_t)width * height * 4);
	current->flags = flags & SDL_FULLSCREEN;
	current->w = width;
	current->h = height;
	current->pitch = width * (bpp / 8);
	current->pixels = pixels;
	this->hidden->rgba = rgba;
	this->hidden->w = width;
	this->hidden->h = height;
	web_canvas_size(width, height);
	return current;
}

static int WEB_AllocHWSurface(_THIS, SDL_Surface *surface) { return -1; }
static void WEB_FreeHWSurface(_THIS, SDL_Surface *surface) {}
static int WEB_LockHWSurface(_THIS, SDL_Surface *surface) { return 0; }
static void WEB_UnlockHWSurface(_THIS, SDL_Surface *surface) {}
static int WEB_SetColors(_THIS, int first, int n, SDL_Color *colors) { return 1; }

/* Converts the rectangle to RGBA through the surface's own masks. */
static void copyRect(SDL_Surface *s, Uint8 *rgba, const SDL_Rect *r)
{
	const SDL_PixelFormat *f = s->format;
	const int bpp = f->BytesPerPixel;
	int x, y;
	for (y = r->y; y < r->y + r->h; ++y) {
		const Uint8 *p = (const Uint8 *)s->pixels + y * s->pitch + r->x * bpp;
		Uint8 *out = rgba + (y * s->w + r->x) * 4;
		for (x = 0; x < r->w; ++x, p += bpp, out += 4) {
			const Uint32 v = bpp == 4 ? *(const Uint32 *)p : (Uint32)(p[0] | p[1] << 8 | p[2] << 16);
			out[0] = (Uint8)((v & f->Rmask) >> f->Rshift);
			out[1] = (Uint8)((v & f->Gmask) >> f->Gshift);
			out[2] = (Uint8)((v & f->Bmask) >> f->Bshift);
			out[3] = 255;
		}
	}
}

static void WEB_UpdateRects(_THIS, int numrects, SDL_Rect *rects)
{
	SDL_Surface *s = this->screen;
	int i, x0, y0, x1 = 0, y1 = 0;
	if (!s || !this->hidden->rgba) return;
	x0 = s->w;
	y0 = s->h;
	for (i = 0; i < numrects; ++i) {
		SDL_Rect r = rects[i];
		if (r.x + r.w > s->w) r.w = s->w - r.x;
		if (r.y + r.h > s->h) r.h = s->h - r.y;
		if (r.w <= 0 || r.h <= 0) continue;
		copyRect(s, this->hidden->rgba, &r);
		if (r.x < x0) x0 = r.x;
		if (r.y < y0) y0 = r.y;
		if (r.x + r.w > x1) x1 = r.x + r.w;
		if (r.y + r.h > y1) y1 = r.y + r.h;
	}
	if (x1 > x0 && y1 > y0) web_canvas_put(this->hidden->rgba, s->w, x0, y0, x1 - x0, y1 - y0);
}

static void WEB_VideoQuit(_THIS)
{
	if (this->screen && this->screen->pixels) {
		SDL_free(this->screen->pixels);
		this->screen->pixels = NULL;
	}
	SDL_free(this->hidden->rgba);
	this->hidden->rgba = NULL;
}

static void WEB_PumpEvents(_THIS)
{
	int e;
	while ((e = web_next_key()) >= 0) {
		SDL_keysym key;
		SDL_memset(&key, 0, sizeof key);
		key.sym = (SDLKey)(e & 0xffff);
		SDL_PrivateKeyboard((e >> 16) ? SDL_PRESSED : SDL_RELEASED, &key);
	}
}

static void WEB_InitOSKeymap(_THIS) {}

static int WEB_Available(void) { return 1; }

static void WEB_DeleteDevice(SDL_VideoDevice *device)
{
	SDL_free(device->hidden);
	SDL_free(device);
}

static SDL_VideoDevice *WEB_CreateDevice(int devindex)
{
	SDL_VideoDevice *device = SDL_calloc(1, sizeof *device);
	if (device) device->hidden = SDL_calloc(1, sizeof *device->hidden);
	if (!device || !device->hidden) {
		SDL_free(device);
		SDL_OutOfMemory();
		return NULL;
	}
	device->VideoInit = WEB_VideoInit;
	device->ListModes = WEB_ListModes;
	device->SetVideoMode = WEB_SetVideoMode;
	device->SetColors = WEB_SetColors;
	device->UpdateRects = WEB_UpdateRects;
	device->VideoQuit = WEB_VideoQuit;
	device->AllocHWSurface = WEB_AllocHWSurface;
	device->LockHWSurface = WEB_LockHWSurface;
	device->UnlockHWSurface = WEB_UnlockHWSurface;
	device->FreeHWSurface = WEB_FreeHWSurface;
	device->InitOSKeymap = WEB_InitOSKeymap;
	device->PumpEvents = WEB_PumpEvents;
	device->free = WEB_DeleteDevice;
	return device;
}

/* Takes the dummy driver's place in SDL's list of video drivers. */
VideoBootStrap DUMMY_bootstrap = {"web", "SDL browser canvas", WEB_Available, WEB_CreateDevice};
