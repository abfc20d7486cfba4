#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>

#include "effects/effect_commands.h"
#include "logo/logo_rotation.h"
#include "support/test_support.h"
#include "workspace/scripted_prompter.h"
#include "workspace/workspace.h"

namespace quillstone::testing {

// A workspace in a fresh home folder, asking a scripted prompter and opening through a
// recording opener; the program directory is the project's data/ folder.
struct ScriptedWorkspace {
  WorkspacePaths Paths() const { return {SourceDir() / "data", home.path()}; }

  TempDir home;
  ScriptedPrompter prompter;
  RecordingOpener opener;
  Workspace workspace{prompter, opener, Paths()};
};

// No frames and the logo at `logoPlace` only (none when negative), so marked pixels can be
// worked out by hand.
inline void PlainMarks(WatermarkSettings& settings, int logoPlace) {
  settings.frame.outerOn = false;
  settings.frame.innerOn = false;
  settings.logo.places.fill(false);
  if (logoPlace >= 0) settings.logo.places[static_cast<std::size_t>(logoPlace)] = true;
}

// The logo turned as the logo tools turn it.
inline RasterImage Turned(const RasterImage& logo, int angle, ColorValue fill = colors::kBlack) {
  RasterImage turned;
  EXPECT_TRUE(RotateLogoByAngle(logo, angle, fill, turned));
  return turned;
}

// The image with the effect commands of these macro words run on it in turn.
inline RasterImage WithCommands(RasterImage image, std::initializer_list<const char*> words) {
  for (const char* word : words) EXPECT_TRUE(RunEffectCommand(image, word)) << word;
  return image;
}

// A created workspace whose renders are counted.
class WorkspaceTest : public ::testing::Test, protected ScriptedWorkspace {
 protected:
  WorkspaceTest() {
    workspace.Create();
    workspace.SetRenderObserver([this] { ++renders; });
  }

  WatermarkSettings& watermark() { return workspace.settings().watermark; }

  int renders = 0;
  TempDir pictures;  // a folder for the pictures a test lists, loads or saves
};

}  // namespace quillstone::testing
