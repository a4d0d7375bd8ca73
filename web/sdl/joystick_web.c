/* joystick_web.c -- SDL's dummy joystick slot over the browser's Gamepad API.
 *
 * Browsers show a pad to a page only after one of its buttons is pressed
 * there, so one joystick is always present; it follows the first pad the
 * browser lists (or rests while there is none). Buttons, axes and the d-pad
 * are numbered as Linux numbers an Xbox-style pad, so the game maps them as on
 * the desktop: A, B, X, Y, LB, RB, Back, Start, Guide, left and right stick
 * press; sticks on axes 0, 1 and 3, 4, triggers on 2 and 5; the d-pad as a hat. */
#include <emscripten.h>

#include "SDL_joystick.h"
#include "joystick/SDL_joystick_c.h"
#include "joystick/SDL_sysjoystick.h"

enum { PAD_AXES = 6, PAD_BUTTONS = 11 };

/* The state of the first pad: axes, then buttons, then the hat bits. */
struct PadState {
	Sint16 axes[PAD_AXES];
	Uint8 buttons[PAD_BUTTONS];
	Uint8 hat;
};

EM_JS(void, web_read_pad, (struct PadState * s), {
	if (Module.velkaroReadPad) Module.velkaroReadPad(s);
});

int SDL_SYS_JoystickInit(void) { return 1; }

const char *SDL_SYS_JoystickName(int index) { return index == 0 ? "Browser gamepad" : NULL; }

int SDL_SYS_JoystickOpen(SDL_Joystick *joystick)
{
	joystick->naxes = PAD_AXES;
	joystick->nbuttons = PAD_BUTTONS;
	joystick->nhats = 1;
	joystick->nballs = 0;
	return 0;
}

void SDL_SYS_JoystickUpdate(SDL_Joystick *joystick)
{
	struct PadState s;
	int i;
	SDL_memset(&s, 0, sizeof s);
	web_read_pad(&s);
	for (i = 0; i < PAD_AXES; ++i)
		if (s.axes[i] != joystick->axes[i]) SDL_PrivateJoystickAxis(joystick, (Uint8)i, s.axes[i]);
	for (i = 0; i < PAD_BUTTONS; ++i)
		if (s.buttons[i] != joystick->buttons[i]) SDL_PrivateJoystickButton(joystick, (Uint8)i, s.buttons[i]);
	if (s.hat != joystick->hats[0]) SDL_PrivateJoystickHat(joystick, 0, s.hat);
}

void SDL_SYS_JoystickClose(SDL_Joystick *joystick) {}
void SDL_SYS_JoystickQuit(void) {}
