// What Windows' file properties show for each editor.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
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

#pragma pack(push, 2)
struct IconGroupEntry {  // GRPICONDIRENTRY
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_P(ResourcesTest, CarryTheApplicationIconInEverySize) {
  const std::wstring exe = WindowsPath(GetParam().exe);
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  const auto resource = [&](LPCWSTR name, LPCWSTR type) -> std::vector<BYTE> {
    HRSRC found = FindResourceW(module, name, type);
    if (found == nullptr) return {};
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return {data, data + SizeofResource(module, found)};
  };
  // Explorer shows the first icon group.
  const std::vector<BYTE> group = resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));
  ASSERT_GE(group.size(), 6u);
  const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
  ASSERT_EQ(group.size(), 6u + count * sizeof(IconGroupEntry));
  std::vector<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    IconGroupEntry entry{};
    std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    const int size = entry.width == 0 ? 256 : entry.width;
    sizes.push_back(size);
    EXPECT_EQ(entry.bitCount, 32) << size;
    const std::vector<BYTE> image = resource(MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3));
    ASSERT_GE(image.size(), 8u);
    const bool png = std::memcmp(image.data(), "\x89PNG\r\n\x1a\n", 8) == 0;
    EXPECT_EQ(png, size == 256) << size << " px: only the largest is stored as PNG";
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
  FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(Editors, ResourcesTest,
                         testing::Values(Editor{kFullEditor.exe, L"1.01", 0},
                                         Editor{kLiteEditor.exe, L"1.01.0002", MAKELONG(2, 0)}),
                         [](const testing::TestParamInfo<Editor>& editor) {
                           return std::string(editor.index == 0 ? "Full" : "Lite");
                         });

}  // namespace
}  // namespace tallyvane::e2e
