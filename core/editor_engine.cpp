#include "core/editor_engine.h"

#include <array>
#include <limits>
#include <new>
#include <optional>
#include <span>
#include <utility>

#include "core/field_map.h"
#include "core/run_time_error.h"
#include "core/value_codec.h"
#include "platform/file_system.h"
#include "platform/session.h"

namespace tallyvane {
namespace {

// A cursor still at the first field means no load has completed.
constexpr std::int16_t kUnloadedCursor = kBaseOffset;

enum class Walk { Load, Save };

// Visits the day counts in file order, moving the state's cursor one record at a time. A load
// takes the first hosting group only; a save stores the hosting group again up to tailAnchor.
template <typename Visit>
void WalkDaysTable(EditorState& state, Walk walk, Visit visit) {
  const auto step = [&](int field) {
    state.cursor = static_cast<std::int16_t>(state.cursor + state.stride);
    visit(field, state.cursor);
  };
  visit(1, state.baseOffset);
  state.cursor = state.baseOffset;
  for (int field = 2; field < kFirstHostingField; ++field) step(field);
  while (state.cursor < state.tailAnchor) {
    for (int field = kFirstHostingField; field <= kLastHostingField; ++field) step(field);
    if (walk == Walk::Load) break;
  }
  state.cursor = static_cast<std::int16_t>(state.tailAnchor + state.stride);
  visit(kFirstTailField, state.cursor);
  for (int field = kFirstTailField + 1; field <= kFieldCount; ++field) step(field);
}

std::uint8_t& At(EditorState& state, int offset, Operation operation, const std::string& path) {
  if (offset < 0 || static_cast<std::size_t>(offset) >= state.buffer.size())
    throw RunTimeError::OutOfImage(operation, path, offset);
  return state.buffer[static_cast<std::size_t>(offset)];
}

RunTimeError FromFileError(const platform::FileError& error, Operation operation) {
  Refusal refusal = Refusal::Other;
  switch (error.fault()) {
    case platform::FileFault::NotFound:
      if (operation == Operation::Load) return RunTimeError::NotFound(error.path());
      break;
    case platform::FileFault::IsFolder:
      return RunTimeError::IsFolder(operation, error.path());
    case platform::FileFault::Denied:
      refusal = Refusal::AccessDenied;
      break;
    case platform::FileFault::InUse:
      refusal = Refusal::InUse;
      break;
    case platform::FileFault::Refused:
      break;
  }
  return RunTimeError::System(operation, error.path(), refusal, error.reason(),
                              error.fileChanged());
}

// Windows refuses to write a read-only file even to an administrator: the attribute is lifted for
// the write and set again whatever happens, so that the file stays read-only as it was.
void WriteReadOnlyFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  platform::SetReadOnly(path, false);
  struct SetAgain {
    const std::string& path;
    ~SetAgain() {
      try {
        platform::SetReadOnly(path, true);
      } catch (const platform::FileError&) {
        // The attribute was lifted a moment ago; nothing is left to do if it cannot be set again.
      }
    }
  } setAgain{path};
  platform::WriteFileStart(path, bytes);
}

}  // namespace

bool EditorState::loaded() const {
  return cursor != kUnloadedCursor;
}

EditorEngine::EditorEngine(FieldAccess& fields, MessageBoxService& messages)
    : fields_(fields), messages_(messages) {}

void EditorEngine::InitEditorState() {
  state_.cursor = kBaseOffset;
  state_.baseOffset = kBaseOffset;
  state_.stride = kStride;
  state_.tailAnchor = kTailAnchor;
  state_.fileName = kDaysTableFileName;
}

void EditorEngine::LoadDaysTable() {
  std::string path = platform::AbsolutePath(state_.fileName);
  if (const auto copy = platform::VirtualStoreCopy(path);
      copy && messages_.Ask(VirtualStoreQuestion(path, *copy), kNoticeTitle, Answer::Yes))
    path = *copy;
  LoadDaysTableFrom(path);
}

void EditorEngine::LoadDaysTableFrom(const std::string& path) {
  try {
    Load(path);
  } catch (const std::bad_alloc&) {
    throw RunTimeError::OutOfMemory(Operation::Load, path);
  }
}

void EditorEngine::Load(const std::string& path) {
  std::vector<std::uint8_t> image;
  try {
    const std::uint64_t size = platform::FileSize(path);
    if (size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
      throw RunTimeError::TooLarge(path, static_cast<std::int64_t>(size));
    image = platform::ReadFileStart(path, static_cast<std::size_t>(size));
  } catch (const platform::FileError& error) {
    throw FromFileError(error, Operation::Load);
  }
  if (image.size() < static_cast<std::size_t>(kMinimumFileLength))
    throw RunTimeError::TooShort(path, static_cast<std::int64_t>(image.size()));

  EditorState next = state_;
  next.fileLength = static_cast<std::int32_t>(image.size());
  next.buffer = std::move(image);
  next.target = path;
  std::array<std::string, kFieldCount> texts;
  WalkDaysTable(next, Walk::Load, [&](int field, int offset) {
    texts[static_cast<std::size_t>(field - 1)] =
        FormatDayCount(At(next, offset, Operation::Load, path));
  });

  state_ = std::move(next);
  for (const FieldInfo& info : kFieldMap)
    fields_.SetFieldText(info.field, texts[static_cast<std::size_t>(info.field - 1)]);
}

void EditorEngine::SaveDaysTable(const std::string& guardMessage) {
  if (!state_.loaded()) {
    messages_.ShowMessage(guardMessage, kErrorTitle);
    return;
  }
  const std::string path = state_.target;
  try {
    Save(path);
  } catch (const std::bad_alloc&) {
    throw RunTimeError::OutOfMemory(Operation::Save, path);
  }
}

// Every box is converted before anything is stored, so a bad one changes nothing.
std::array<std::uint8_t, kFieldCount> EditorEngine::ConvertFields(const std::string& path) const {
  const std::string separator = platform::DecimalSeparator();
  std::array<std::uint8_t, kFieldCount> values{};
  for (const FieldInfo& info : kFieldMap) {
    std::string text = fields_.GetFieldText(info.field);
    const ParsedDayCount parsed = ParseDayCount(text, separator);
    if (parsed.status != ParseStatus::Ok) {
      const ErrorKind kind =
          parsed.status == ParseStatus::Overflow ? ErrorKind::Overflow : ErrorKind::TypeMismatch;
      throw RunTimeError::BadValue(kind, path, info.field, std::move(text));
    }
    values[static_cast<std::size_t>(info.field - 1)] = parsed.value;
  }
  return values;
}

void EditorEngine::Save(const std::string& path) {
  const std::array<std::uint8_t, kFieldCount> values = ConvertFields(path);
  EditorState next = state_;
  try {
    // The file should still start with the image; bytes appended since do not matter. A file
    // deleted since is written anew, whole.
    std::optional<std::vector<std::uint8_t>> current;
    try {
      current = platform::ReadFileStart(path, next.buffer.size());
    } catch (const platform::FileError& error) {
      if (error.fault() != platform::FileFault::NotFound) throw;
    }
    if (current && *current != next.buffer) {
      if (!messages_.Ask(ChangedSinceLoadQuestion(path), kWarningTitle, Answer::No)) return;
      // Their bytes, and where the file is now shorter, the image's beyond them.
      current->insert(current->end(),
                      next.buffer.begin() + static_cast<std::ptrdiff_t>(current->size()),
                      next.buffer.end());
      next.buffer = std::move(*current);
    }
    WalkDaysTable(next, Walk::Save, [&](int field, int offset) {
      At(next, offset, Operation::Save, path) = values[static_cast<std::size_t>(field - 1)];
    });
    if (!platform::IsReadOnly(path)) {
      platform::WriteFileStart(path, next.buffer);
    } else {
      if (!messages_.Ask(ReadOnlyQuestion(path), kWarningTitle, Answer::No)) return;
      WriteReadOnlyFile(path, next.buffer);
    }
  } catch (const platform::FileError& error) {
    throw FromFileError(error, Operation::Save);
  }
  state_ = std::move(next);
  messages_.ShowMessage(kSavedMessage, kSuccessTitle);
}

std::string ChangedSinceLoadQuestion(const std::string& path) {
  return "通告文件在读取之后被其他程序改动过：\n" + path +
         "\n\n仍要保存吗？\n选择“是”：把 28 个天数写入文件现在的内容，文件的其余内容保持不变。"
         "\n选择“否”：不写入任何内容，已输入的数值全部保留。";
}

std::string VirtualStoreQuestion(const std::string& path, const std::string& copy) {
  return "Windows 的 VirtualStore 中有这个通告文件的另一份：\n" + copy + "\n\n你选择的是：\n" +
         path +
         "\n\n正常启动（不以管理员身份运行）的游戏读取 VirtualStore 中的那一份，"
         "以管理员身份运行的游戏读取你选择的那一份。"
         "\n\n选择“是”：读取并保存 VirtualStore 中的那一份。"
         "\n选择“否”：读取并保存你选择的那一份。";
}

std::string ReadOnlyQuestion(const std::string& path) {
  return "通告文件是只读的：\n" + path +
         "\n\n仍要保存吗？"
         "\n选择“是”：暂时取消只读属性，写入后再设回只读。"
         "\n选择“否”：不写入任何内容，已输入的数值全部保留。";
}

}  // namespace tallyvane
