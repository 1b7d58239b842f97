// card.exe's version resource and manifest, read from this test program, which links the same
// resources: the product's name and the build's version; asInvoker, Windows 7 to 11, and awareness
// of each monitor's DPI.
#include "card_version.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace card {
namespace {

std::vector<BYTE> OwnVersionInfo() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeA(path, &ignored));
  if (info.empty() || !GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data())) {
    ADD_FAILURE() << "no version resource";
    return {};
  }
  return info;
}

std::string Value(std::vector<BYTE>& info, const std::string& name) {
  void* text = nullptr;
  UINT length = 0;
  const std::string key = "\\StringFileInfo\\040904B0\\" + name;
  if (!VerQueryValueA(info.data(), key.c_str(), &text, &length) || length == 0) return "";
  return static_cast<const char*>(text);
}

TEST(VersionResource, NamesTheProductWithTheBuildsVersion) {
  std::vector<BYTE> info = OwnVersionInfo();
  ASSERT_FALSE(info.empty());
  void* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &fixed, &length));
  const auto* version = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  EXPECT_EQ(HIWORD(version->dwFileVersionMS), CARD_VERSION_MAJOR);
  EXPECT_EQ(LOWORD(version->dwFileVersionMS), CARD_VERSION_MINOR);
  EXPECT_EQ(HIWORD(version->dwFileVersionLS), CARD_VERSION_PATCH);
  EXPECT_EQ(version->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(Value(info, "ProductName"), "Zelk Greeting Card");
  EXPECT_EQ(Value(info, "FileVersion"), CARD_VERSION_TEXT);
  EXPECT_EQ(Value(info, "ProductVersion"), CARD_VERSION_TEXT);
  EXPECT_EQ(Value(info, "OriginalFilename"), "card.exe");
  EXPECT_NE(Value(info, "FileDescription").find("greeting card"), std::string::npos);
}

std::string OwnManifest() {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  if (found == nullptr) return "";
  HGLOBAL loaded = LoadResource(nullptr, found);
  return std::string(static_cast<const char*>(LockResource(loaded)),
                     SizeofResource(nullptr, found));
}

TEST(Manifest, AsksForWhatTheCardNeedsAndPerMonitorDpiAwareness) {
  const std::string manifest = OwnManifest();
  ASSERT_FALSE(manifest.empty()) << "no manifest";
  for (const char* part : {
           "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
           ">true/pm</dpiAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
  EXPECT_NE(manifest.find("version=\"" CARD_VERSION_TEXT ".0\""), std::string::npos);
  // Common Controls 6 would paint the card window's message grey on their own background.
  EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
}

}  // namespace
}  // namespace card
