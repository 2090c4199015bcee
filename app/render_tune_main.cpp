#include "audio/renderer/tune_render_helper.h"

// hopnix-render-tune: the one program that links the synthesizer, started by the game to render its tune.
int main(int argc, char* argv[])
{
    return TuneRenderHelper::run(argc, argv);
}
