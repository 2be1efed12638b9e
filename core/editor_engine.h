// Loads the day counts of Length.dat into the boxes and saves the boxes back into the file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/editor_services.h"
#include "core/field_map.h"

namespace tallyvane {

inline constexpr char kDaysTableFileName[] = "Length.dat";
inline constexpr char kErrorTitle[] = "错误";
inline constexpr char kSuccessTitle[] = "成功";
inline constexpr char kWarningTitle[] = "警告";
inline constexpr char kNoticeTitle[] = "提示";
inline constexpr char kSavedMessage[] = "保存成功";

// What a save asks before it writes into a file that another program changed since the load.
std::string ChangedSinceLoadQuestion(const std::string& path);
// What a load asks where the user's VirtualStore holds a copy of the file.
std::string VirtualStoreQuestion(const std::string& path, const std::string& copy);
// What a save asks before it writes into a read-only file.
std::string ReadOnlyQuestion(const std::string& path);

struct EditorState {
  std::string fileName = kDaysTableFileName;  // relative: resolved against the current directory
  std::string target;  // absolute path of the file the last completed load read; saves go there
  std::vector<std::uint8_t> buffer;       // image of the file; empty until the first load
  std::int32_t fileLength = 0;            // length of the file at the last load
  std::int16_t baseOffset = kBaseOffset;  // offset of field 1
  std::int16_t stride = kStride;          // distance between consecutive records
  std::int16_t tailAnchor = kTailAnchor;  // last record of the hosting group
  std::int16_t cursor = kBaseOffset;      // offset last visited; 44 until a load completed

  bool loaded() const;
};

class EditorEngine {
 public:
  EditorEngine(FieldAccess& fields, MessageBoxService& messages);

  void InitEditorState();

  // Loads fileName from the current directory, or the user's VirtualStore copy of it where there
  // is one and the user chooses it. All or nothing: on any RunTimeError the boxes and the state
  // are as they were. A file over 2 GiB is refused before a byte of it is read.
  void LoadDaysTable();

  // Loads the file at this absolute path, asking nothing (the file a relaunch was handed).
  void LoadDaysTableFrom(const std::string& path);

  // Before any load, shows `guardMessage` and touches no file. Otherwise converts every box,
  // stores the values (the hosting group five times) and writes the image over the file that the
  // last load read, wherever the current directory is now. Where the file no longer starts with
  // the image, another program changed it: the user is asked first, and a yes stores the values
  // into the file as it is now. A read-only file is written only after a yes, and stays
  // read-only. On any RunTimeError the file is unchanged unless the error says otherwise, and the
  // state and the boxes are as they were.
  void SaveDaysTable(const std::string& guardMessage);

  const EditorState& state() const { return state_; }

 private:
  void Load(const std::string& path);
  void Save(const std::string& path);
  std::array<std::uint8_t, kFieldCount> ConvertFields(const std::string& path) const;

  FieldAccess& fields_;
  MessageBoxService& messages_;
  EditorState state_;
};

}  // namespace tallyvane
