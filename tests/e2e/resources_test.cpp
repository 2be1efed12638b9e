// What Windows' file properties show for each editor.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/e2e/editor_fixture.h"

namespace tallyvane::e2e {
namespace {

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
    return {};
  return std::wstring(value, length > 0 ? length - 1 : 0);
}

struct Editor {
  const char* exe;
  const wchar_t* fileVersion;
  DWORD fileVersionLow;  // build and revision numbers
};

class ResourcesTest : public testing::TestWithParam<Editor> {};

TEST_P(ResourcesTest, CarryTheirVersionAndProductName) {
  const std::wstring exe = WindowsPath(GetParam().exe);
  std::vector<BYTE> info(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  EXPECT_EQ(VersionString(info, L"FileVersion"), GetParam().fileVersion);
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Tallyvane");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, GetParam().fileVersionLow);
}

INSTANTIATE_TEST_SUITE_P(Editors, ResourcesTest,
                         testing::Values(Editor{kFullEditor.exe, L"1.01", 0},
                                         Editor{kLiteEditor.exe, L"1.01.0002", MAKELONG(2, 0)}),
                         [](const testing::TestParamInfo<Editor>& editor) {
                           return std::string(editor.index == 0 ? "Full" : "Lite");
                         });

}  // namespace
}  // namespace tallyvane::e2e
