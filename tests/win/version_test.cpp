// The version resource, the about box's line and the manifest all say what
// the VERSION file says.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/e2e_win.h"

namespace {

TEST(Version, ResourceAboutLineAndManifestAgreeWithTheVersionFile) {
  // The Windows tests live one folder below the program.
  const std::string program = e2e::BinDir() + "\\..\\Larkspur32.exe";
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(program.c_str(), &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  char* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
                "." + std::to_string(HIWORD(fixed->dwFileVersionLS)),
            LARKSPUR_TEST_VERSION);
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\041104B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(std::string(text), LARKSPUR_TEST_VERSION);

  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  char line[256] = "";
  LoadStringA(module, IDS_VERSION_LINE, line, sizeof line);
  EXPECT_EQ(std::string(line), "LARKSPUR32 Version " LARKSPUR_TEST_VERSION);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr) << "no application manifest";
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                             SizeofResource(module, found));
  EXPECT_NE(manifest.find("Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("version=\"" LARKSPUR_TEST_VERSION ".0\""), std::string::npos);
  // Laid out in pixels: the program must not claim to scale itself.
  EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
  FreeLibrary(module);
}

}  // namespace
