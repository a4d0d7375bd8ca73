/* gfx_calls.c -- the three SDL_gfx calls the game makes, for the browser
 * build, where SDL_gfx is not to be had: zoomSurface, lineRGBA at full alpha
 * and SDL_gfxMultiplyAlpha. They give the same pixels as SDL_gfx does, which
 * tests/web/gfx_compare.cpp checks against the real library natively. */
#include <math.h>

#include "SDL_gfxBlitFunc.h"
#include "SDL_gfxPrimitives.h"
#include "SDL_rotozoom.h"

/* Zoom factors below this are taken as this. */
#define SMALLEST_ZOOM 0.001

static int zoomedSide(int n, double zoom)
{
	const int side = (int)floor(n * zoom + 0.5);
	return side < 1 ? 1 : side;
}

/* A 32-bit copy of src to zoom from: RGBA in memory order, filled by SDL's
 * own blit, so a colour-keyed pixel stays transparent black and every other
 * pixel takes the sheet's surface alpha. */
static SDL_Surface *rgbaCopy(SDL_Surface *src)
{
	SDL_Surface *copy = SDL_CreateRGBSurface(SDL_SWSURFACE, src->w, src->h, 32, 0x000000ff, 0x0000ff00,
	                                         0x00ff0000, 0xff000000);
	if (copy) SDL_BlitSurface(src, NULL, copy, NULL);
	return copy;
}

/* One axis: for each zoomed coordinate, the source pixel, the 16-bit
 * fraction towards the next one and whether there is a next one. The 16.16
 * step is (n - 1) / (zoomed - 1) in single precision; the running position
 * stays below n << 16. */
static void makeTaps(int n, int zoomed, int smooth, int *index, int *frac)
{
	int i;
	const int step = smooth ? (zoomed > 1 ? (int)(65536.0 * (float)(n - 1) / (float)(zoomed - 1)) : 0)
	                        : (int)(65536.0 * n / zoomed);
	const long long last = ((long long)n << 16) - 1;
	for (i = 0; i < zoomed; ++i) {
		long long pos = (long long)i * step;
		if (pos > last) pos = last;
		index[i] = (int)(pos >> 16);
		frac[i] = (int)(pos & 0xffff);
	}
}

static Uint8 lerp(int a, int b, int f) { return (Uint8)(((((b - a) * f) >> 16) + a) & 0xff); }

/* Interpolates along x in both rows, then along y, byte by byte. */
static void zoomSmooth(const SDL_Surface *s, SDL_Surface *d, const int *xi, const int *xf, const int *yi,
                       const int *yf)
{
	int x, y, k;
	for (y = 0; y < d->h; ++y) {
		const int y0 = yi[y], y1 = y0 < s->h - 1 ? y0 + 1 : y0;
		const Uint8 *r0 = (const Uint8 *)s->pixels + y0 * s->pitch;
		const Uint8 *r1 = (const Uint8 *)s->pixels + y1 * s->pitch;
		Uint8 *out = (Uint8 *)d->pixels + y * d->pitch;
		for (x = 0; x < d->w; ++x) {
			const int x0 = xi[x], x1 = x0 < s->w - 1 ? x0 + 1 : x0;
			Uint8 *o = out + x * 4;
			for (k = 0; k < 4; ++k) {
				const int t1 = lerp(r0[x0 * 4 + k], r0[x1 * 4 + k], xf[x]);
				const int t2 = lerp(r1[x0 * 4 + k], r1[x1 * 4 + k], xf[x]);
				o[k] = lerp(t1, t2, yf[y]);
			}
		}
	}
}

static void zoomNearest(const SDL_Surface *s, SDL_Surface *d, const int *xi, const int *yi)
{
	int x, y;
	for (y = 0; y < d->h; ++y) {
		const Uint32 *row = (const Uint32 *)((const Uint8 *)s->pixels + yi[y] * s->pitch);
		Uint32 *out = (Uint32 *)((Uint8 *)d->pixels + y * d->pitch);
		for (x = 0; x < d->w; ++x) out[x] = row[xi[x]];
	}
}

SDL_Surface *WEB_GFX(zoomSurface)(SDL_Surface *src, double zoomx, double zoomy, int smooth)
{
	SDL_Surface *from, *zoomed = NULL;
	int w, h, *taps;
	if (!src) return NULL;
	if (zoomx < 0 || zoomy < 0) {
		/* SDL_gfx mirrors on a negative factor; the game never asks for it. */
		SDL_SetError("the browser build does not mirror in zoomSurface");
		return NULL;
	}
	if (zoomx < SMALLEST_ZOOM) zoomx = SMALLEST_ZOOM;
	if (zoomy < SMALLEST_ZOOM) zoomy = SMALLEST_ZOOM;
	w = zoomedSide(src->w, zoomx);
	h = zoomedSide(src->h, zoomy);
	from = src->format->BitsPerPixel == 32 ? src : rgbaCopy(src);
	taps = from ? (int *)SDL_malloc(sizeof(int) * 2 * (w + h)) : NULL;
	if (taps) {
		const SDL_PixelFormat *f = from->format;
		zoomed = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
	}
	if (zoomed) {
		int *xi = taps, *xf = taps + w, *yi = taps + 2 * w, *yf = taps + 2 * w + h;
		makeTaps(from->w, w, smooth, xi, xf);
		makeTaps(from->h, h, smooth, yi, yf);
		SDL_LockSurface(from);
		if (smooth)
			zoomSmooth(from, zoomed, xi, xf, yi, yf);
		else
			zoomNearest(from, zoomed, xi, yi);
		SDL_UnlockSurface(from);
	}
	SDL_free(taps);
	if (from && from != src) SDL_FreeSurface(from);
	return zoomed;
}

int WEB_GFX(SDL_gfxMultiplyAlpha)(SDL_Surface *src, Uint8 a)
{
	int x, y, byte;
	if (!src || !src->format || src->format->BytesPerPixel != 4 || !src->format->Amask) return -1;
	if (a == 255) return 0;
	byte = src->format->Ashift / 8; /* little-endian: the alpha byte of each pixel */
	if (SDL_LockSurface(src) < 0) return -1;
	for (y = 0; y < src->h; ++y) {
		Uint8 *p = (Uint8 *)src->pixels + y * src->pitch + byte;
		for (x = 0; x < src->w; ++x, p += 4) *p = (Uint8)((*p * a) >> 8);
	}
	SDL_UnlockSurface(src);
	return 1;
}

/* Cohen-Sutherland outcodes against the clip rectangle. */
enum { CLIP_LEFT = 1, CLIP_RIGHT = 2, CLIP_BOTTOM = 4, CLIP_TOP = 8 };

static int outcode(int x, int y, int left, int top, int right, int bottom)
{
	return (x < left ? CLIP_LEFT : x > right ? CLIP_RIGHT : 0) | (y < top ? CLIP_TOP : y > bottom ? CLIP_BOTTOM : 0);
}

/* Cuts the line to the surface's clip rectangle; 0 when nothing is left.
 * Each cut moves the outside end onto the edge along the slope, truncated. */
static int clipLine(const SDL_Surface *dst, Sint16 *x1, Sint16 *y1, Sint16 *x2, Sint16 *y2)
{
	const int left = dst->clip_rect.x, right = dst->clip_rect.x + dst->clip_rect.w - 1;
	const int top = dst->clip_rect.y, bottom = dst->clip_rect.y + dst->clip_rect.h - 1;
	for (;;) {
		int c1 = outcode(*x1, *y1, left, top, right, bottom), c2 = outcode(*x2, *y2, left, top, right, bottom);
		float m;
		if (!(c1 | c2)) return 1;
		if (c1 & c2) return 0;
		if (!c1) { /* work on the end that is outside */
			Sint16 t = *x1; *x1 = *x2; *x2 = t;
			t = *y1; *y1 = *y2; *y2 = t;
			c1 = c2;
		}
		m = *x2 != *x1 ? (*y2 - *y1) / (float)(*x2 - *x1) : 1.0f;
		if (c1 & CLIP_LEFT) {
			*y1 += (Sint16)((left - *x1) * m);
			*x1 = (Sint16)left;
		} else if (c1 & CLIP_RIGHT) {
			*y1 += (Sint16)((right - *x1) * m);
			*x1 = (Sint16)right;
		} else if (c1 & CLIP_BOTTOM) {
			if (*x2 != *x1) *x1 += (Sint16)((bottom - *y1) / m);
			*y1 = (Sint16)bottom;
		} else {
			if (*x2 != *x1) *x1 += (Sint16)((top - *y1) / m);
			*y1 = (Sint16)top;
		}
	}
}

static void putPixel(Uint8 *p, int bpp, Uint32 color)
{
	switch (bpp) {
	case 1: *p = (Uint8)color; break;
	case 2: *(Uint16 *)p = (Uint16)color; break;
	case 3: p[0] = (Uint8)color; p[1] = (Uint8)(color >> 8); p[2] = (Uint8)(color >> 16); break;
	default: *(Uint32 *)p = color; break;
	}
}

int WEB_GFX(lineRGBA)(SDL_Surface *dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b,
                      Uint8 a)
{
	int dx, dy, sx, sy, i, err, bpp;
	Uint8 *p;
	Uint32 color;
	long stepMajor, stepMinor;
	if (!dst) return -1;
	if (a != 255) {
		SDL_SetError("the browser build draws opaque lines only");
		return -1;
	}
	if (dst->clip_rect.w == 0 || dst->clip_rect.h == 0 || !clipLine(dst, &x1, &y1, &x2, &y2)) return 0;
	color = SDL_MapRGBA(dst->format, r, g, b, a);
	bpp = dst->format->BytesPerPixel;
	/* Every pixel from end to end, one step along the major axis each, and a
	 * step along the minor one whenever its share has added up to a whole. */
	dx = x2 - x1;
	dy = y2 - y1;
	sx = dx >= 0 ? 1 : -1;
	sy = dy >= 0 ? 1 : -1;
	dx = sx * dx + 1;
	dy = sy * dy + 1;
	stepMajor = (long)sx * bpp;
	stepMinor = (long)sy * dst->pitch;
	if (dx < dy) {
		int t = dx;
		long s = stepMajor;
		dx = dy;
		dy = t;
		stepMajor = stepMinor;
		stepMinor = s;
	}
	if (SDL_LockSurface(dst) < 0) return -1;
	p = (Uint8 *)dst->pixels + (long)y1 * dst->pitch + (long)x1 * bpp;
	for (i = 0, err = 0; i < dx; ++i, p += stepMajor) {
		putPixel(p, bpp, color);
		err += dy;
		if (err >= dx) {
			err -= dx;
			p += stepMinor;
		}
	}
	SDL_UnlockSurface(dst);
	return 0;
}
