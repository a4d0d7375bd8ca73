/* main_web.c -- the page starts the game here rather than at main, so that it
 * hears when main returns (QUIT in the menu): in the browser main returns
 * long after the page started it, once its last sleep is over. */
#include <emscripten.h>

int main(int argc, char **argv);

EM_JS(void, web_game_ended, (int status), {
	if (Module.velkaroGameEnded) Module.velkaroGameEnded(status);
});

/* author is 1 when the page's address asks for the checkpoint-authoring mode
 * (?author), the browser's way of saying --author. */
EMSCRIPTEN_KEEPALIVE int velkaro_web_main(int author)
{
	static char name[] = "velkaro";
	static char authorOption[] = "--author";
	char *argv[] = {name, author ? authorOption : 0, 0};
	const int status = main(author ? 2 : 1, argv);
	web_game_ended(status);
	return status;
}
