/* main_web.c -- the page starts the game here rather than at main, so that it
 * hears when main returns (QUIT in the menu): in the browser main returns
 * long after the page started it, once its last sleep is over. */
#include <emscripten.h>

int main(int argc, char **argv);

EM_JS(void, web_game_ended, (int status), {
	if (Module.velkaroGameEnded) Module.velkaroGameEnded(status);
});

EMSCRIPTEN_KEEPALIVE int velkaro_web_main(void)
{
	static char name[] = "velkaro";
	char *argv[] = {name, 0};
	const int status = main(1, argv);
	web_game_ended(status);
	return status;
}
