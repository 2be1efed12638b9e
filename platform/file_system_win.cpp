#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "platform/file_system.h"
#include "platform/unique_handle.h"
#include "platform/utf16.h"

namespace tallyvane::platform {
namespace {

// The system's own words for an error code, in the user's language, with the code after them.
std::string SystemReason(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD length =
      FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason = length > 0 ? std::wstring(text, length) : std::wstring();
  LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == L'\r' || reason.back() == L'\n' || reason.back() == L' '))
    reason.pop_back();
  return Narrow(reason) + " (" + std::to_string(code) + ")";
}

FileError LastError(const std::string& path, bool fileChanged = false) {
  const DWORD code = GetLastError();
  const FileFault fault =
      code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND      ? FileFault::NotFound
      : code == ERROR_ACCESS_DENIED                                     ? FileFault::Denied
      : code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ? FileFault::InUse
                                                                        : FileFault::Refused;
  return FileError(fault, path, SystemReason(code), fileChanged);
}

std::wstring EnvironmentVariable(const wchar_t* name) {
  std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
  if (!value.empty())
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
  return value;
}

// Paths of MAX_PATH characters or more need the \\?\ form on Windows without long-path opt-in.
std::wstring SystemPath(const std::string& path) {
  std::wstring wide = Widen(path);
  if (wide.size() < MAX_PATH - 12 || wide.starts_with(L"\\\\?\\")) return wide;
  if (wide.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + wide.substr(2);
  return L"\\\\?\\" + wide;
}

// The file's attributes and size; fails with NotFound or IsFolder unless `path` names a file.
WIN32_FILE_ATTRIBUTE_DATA RequireFile(const std::string& path, const std::wstring& systemPath) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(systemPath.c_str(), GetFileExInfoStandard, &data))
    throw LastError(path);
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
    throw FileError(FileFault::IsFolder, path, {});
  return data;
}

}  // namespace

std::string CurrentDirectory() {
  std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
  directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data()));
  return Narrow(directory);
}

void ChangeDirectory(const std::string& folder) {
  if (!SetCurrentDirectoryW(Widen(folder).c_str())) throw LastError(folder);
}

std::string AbsolutePath(const std::string& name) {
  const std::wstring wide = Widen(name);
  std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
  full.resize(
      GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
  return Narrow(full);
}

std::uint64_t FileSize(const std::string& path) {
  const WIN32_FILE_ATTRIBUTE_DATA data = RequireFile(path, SystemPath(path));
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::vector<std::uint8_t> ReadFileStart(const std::string& path, std::size_t count) {
  const std::wstring systemPath = SystemPath(path);
  RequireFile(path, systemPath);
  constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  UniqueHandle file(CreateFileW(systemPath.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw LastError(path);

  std::vector<std::uint8_t> bytes(count);
  std::size_t got = 0;
  while (got < count) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(count - got, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + got, wanted, &read, nullptr)) throw LastError(path);
    if (read == 0) break;
    got += read;
  }
  bytes.resize(got);
  return bytes;
}

void WriteFileStart(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::wstring systemPath = SystemPath(path);
  const DWORD attributes = GetFileAttributesW(systemPath.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw FileError(FileFault::IsFolder, path, {});

  // Others may read while we write, not write; the file is created if it was deleted meanwhile.
  UniqueHandle file(CreateFileW(systemPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw LastError(path);

  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, wanted, &written, nullptr) || written == 0)
      throw LastError(path, true);
    done += written;
  }
  if (!FlushFileBuffers(file.get())) throw LastError(path, true);
  if (!file.Close()) throw LastError(path, true);
}

std::string FolderFor(const std::string& path) {
  const std::string full = AbsolutePath(path);
  const DWORD attributes = GetFileAttributesW(SystemPath(full).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) throw LastError(path);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return full;
  return full.substr(0, full.find_last_of("\\/") + 1);
}

bool IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void SetReadOnly(const std::string& path, bool readOnly) {
  const std::wstring systemPath = SystemPath(path);
  const DWORD attributes = GetFileAttributesW(systemPath.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) throw LastError(path);
  const DWORD wanted = readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                                : attributes & ~DWORD{FILE_ATTRIBUTE_READONLY};
  if (!SetFileAttributesW(systemPath.c_str(), wanted)) throw LastError(path);
}

// Windows redirects such a program's writes below C:\ to %LOCALAPPDATA%\VirtualStore\ (C: being
// the Windows drive), keeping the rest of the path.
std::optional<std::string> VirtualStoreCopy(const std::string& path) {
  const std::wstring drive = EnvironmentVariable(L"SystemDrive");
  const std::wstring store = EnvironmentVariable(L"LOCALAPPDATA");
  const std::wstring wide = Widen(path);
  if (drive.size() != 2 || store.empty() || wide.size() < 4 || wide[2] != L'\\' ||
      towupper(wide[0]) != towupper(drive[0]) || wide[1] != drive[1])
    return std::nullopt;
  const std::wstring copy = store + L"\\VirtualStore\\" + wide.substr(3);
  const DWORD attributes = GetFileAttributesW(SystemPath(Narrow(copy)).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return Narrow(copy);
}

bool IsPlainFilePresent(const std::string& name) {
  const DWORD attributes = GetFileAttributesW(Widen(name).c_str());
  constexpr DWORD kNotPlain =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotPlain) == 0;
}

}  // namespace tallyvane::platform
