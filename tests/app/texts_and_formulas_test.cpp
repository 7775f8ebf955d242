// Error box texts, the gamma ramp and the frame limiter's schedule.
#include <gtest/gtest.h>

#include <cmath>

#include "app/display_modes.h"
#include "app/error_messages.h"
#include "app/frame_limiter.h"
#include "app/gamma.h"

TEST(ErrorTexts, EveryCodeHasItsMessage) {
  EXPECT_EQ(ErrorMessageFor(AppError::kNoCompatibleDevices),
            "Could not find any compatible Direct3D\ndevices.");
  EXPECT_EQ(
      ErrorMessageFor(AppError::kNoWindowableDevices),
      "This game cannot run in a desktop\nwindow with the current display settings.\nPlease change your "
      "desktop settings to a\n16- or 32-bit display mode and re-run this\nsample.");
  EXPECT_EQ(ErrorMessageFor(AppError::kNonZeroRefCount),
            "A D3D object has a non-zero reference\ncount (meaning things were not properly\ncleaned up).");
  EXPECT_EQ(ErrorMessageFor(AppError::kMediaNotFound), "Could not load required media.");
  EXPECT_EQ(ErrorMessageFor(AppError::kResetFailed), "Could not reset the Direct3D device.");
  EXPECT_EQ(ErrorMessageFor(gfx::E_OUTOFMEMORY), "Not enough memory.");
  EXPECT_EQ(ErrorMessageFor(gfx::D3DERR_OUTOFVIDEOMEMORY), "Not enough video memory.");
  const std::string generic = "Generic application error. Enable\ndebug output for detailed information.";
  EXPECT_EQ(ErrorMessageFor(gfx::E_FAIL), generic);
  EXPECT_EQ(ErrorMessageFor(int32_t(0x82000002u)), generic);  // a framework code without a text
  // The remaining codes each have their own text.
  for (uint32_t c : {0x82000001u, 0x82000005u, 0x82000006u, 0x82000007u, 0x82000008u, 0x82000009u})
    EXPECT_NE(ErrorMessageFor(int32_t(c)), generic) << std::hex << c;
  EXPECT_NE(ErrorMessageFor(int32_t(0x82000001u)).find("DirectX DLLs."), std::string::npos);
  EXPECT_NE(ErrorMessageFor(int32_t(0x82000009u)).find("available devices and modes."), std::string::npos);
}

TEST(ErrorTexts, KindsAppendTheirSuffixes) {
  EXPECT_EQ(ErrorBoxText(gfx::E_OUTOFMEMORY, kErrorPlain), "Not enough memory.");
  EXPECT_EQ(ErrorBoxText(gfx::E_OUTOFMEMORY, kErrorMustExit),
            "Not enough memory.\n\nFenwhistle will now exit.");
  EXPECT_EQ(
      ErrorBoxText(gfx::E_OUTOFMEMORY, kErrorSwitchedToRef),
      "Not enough memory.\n\nSwitching to the reference rasterizer,\na software device that implements the "
      "entire\nDirect3D feature set, but runs very slowly..");
}

TEST(Gamma, RampFollowsThePowerFormula) {
  gfx::GammaRamp ramp;
  BuildGammaRamp(1.0f, ramp);
  EXPECT_EQ(ramp.red[0], 0);
  EXPECT_EQ(ramp.red[128], 32768);    // 0.5 * 65535 + 0.5
  EXPECT_EQ(ramp.green[255], 65279);  // 255/256 * 65535 + 0.5, truncated
  EXPECT_EQ(ramp.blue[1], 256);
  BuildGammaRamp(0.5f, ramp);
  EXPECT_EQ(ramp.red[64], uint16_t(std::sqrt(0.25) * 65535 + 0.5));
  BuildGammaRamp(1.5f, ramp);
  EXPECT_EQ(ramp.red[128], uint16_t(std::pow(0.5, 1.5) * 65535 + 0.5));
  for (int i = 1; i < 256; ++i) EXPECT_GE(ramp.red[i], ramp.red[i - 1]);
  BuildGammaRamp(-1.0f, ramp);  // nonsense exponents saturate instead of wrapping
  EXPECT_EQ(ramp.red[200], 65535);
}

TEST(FrameLimiter, PacesAtTheRefreshAndRestartsWhenBehind) {
  FrameLimiter limiter;
  limiter.SetRate(50);  // 20 ms frames, counter in microseconds
  const int64_t f = 1000000;
  EXPECT_EQ(limiter.DelayAfterFrame(0, f), 20);
  EXPECT_EQ(limiter.DelayAfterFrame(25000, f), 15);   // deadline 40 ms
  EXPECT_EQ(limiter.DelayAfterFrame(60000, f), 0);    // deadline 60 ms reached exactly
  EXPECT_EQ(limiter.DelayAfterFrame(200000, f), 20);  // far behind: a new schedule, no burst
  limiter.SetRate(0);                                 // unknown: 60 Hz
  EXPECT_EQ(limiter.DelayAfterFrame(300000, f), 16);
  EXPECT_EQ(limiter.DelayAfterFrame(0, 0), 0);
}
