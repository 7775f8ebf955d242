// soundbuild sound RECIPE OUT.wav        renders a sound recipe to 22050 Hz 16-bit mono WAVE
// soundbuild music SCORE OUT.ogg [WAV]   renders a score and encodes it to Ogg Vorbis (and WAVE)
// soundbuild check SCORE                 lists each voice of a score and where it ends
#include <cstdio>
#include <cstring>
#include <string>

#include "ogg_encode.h"
#include "recipe_text.h"
#include "score.h"
#include "sound_recipe.h"
#include "wave_file.h"

namespace {

constexpr int kEffectRate = 22050;

int Usage() {
  std::fprintf(stderr,
               "usage: soundbuild sound RECIPE OUT.wav\n"
               "       soundbuild music SCORE OUT.ogg [OUT.wav]\n"
               "       soundbuild check SCORE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace soundbuild;
  if (argc < 3) return Usage();
  std::string mode = argv[1], in = argv[2], out = argc > 3 ? argv[3] : "";
  std::string text;
  if (!ReadTextFile(in, text)) {
    std::fprintf(stderr, "soundbuild: cannot read %s\n", in.c_str());
    return 1;
  }
  try {
    if (mode == "check") {
      std::printf("%s", DescribeVoices(text).c_str());
      return 0;
    }
    if (out.empty()) return Usage();
    if (mode == "sound") {
      std::vector<float> samples = RenderSoundRecipe(text, kEffectRate);
      if (!WriteFileBytes(out, MakeWave(ToPcm16(samples), 1, kEffectRate))) {
        std::fprintf(stderr, "soundbuild: cannot write %s\n", out.c_str());
        return 1;
      }
      return 0;
    }
    if (mode == "music") {
      RenderedMusic music = RenderScore(text);
      std::vector<uint8_t> ogg = EncodeOggVorbis(music.samples, 2, music.rate, 0.35f);
      if (ogg.empty() || !WriteFileBytes(out, ogg)) {
        std::fprintf(stderr, "soundbuild: cannot write %s\n", out.c_str());
        return 1;
      }
      if (argc > 4 && !WriteFileBytes(argv[4], MakeWave(ToPcm16(music.samples), 2, music.rate))) return 1;
      return 0;
    }
  } catch (const RecipeError& e) {
    std::fprintf(stderr, "%s: %s\n", in.c_str(), e.message.c_str());
    return 1;
  }
  return Usage();
}
