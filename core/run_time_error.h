// The one error the engine raises: what went wrong, and what the user needs to put it right.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tallyvane {

enum class ErrorKind {
  FileNotFound,
  SubscriptOutOfRange,
  TypeMismatch,
  Overflow,
  FileSystem,
  OutOfMemory,
};

enum class Operation { Load, Save };

// Why the system refused a file, where the user can put it right.
enum class Refusal {
  Other,
  Folder,        // a folder stands where Length.dat should be
  AccessDenied,  // this user may not write there (a protected folder such as Program Files)
  InUse,         // another program (the game, another editor window) holds the file
};

class RunTimeError : public std::exception {
 public:
  // Length.dat is missing.
  static RunTimeError NotFound(std::string path);
  // A folder stands where Length.dat should be.
  static RunTimeError IsFolder(Operation operation, std::string path);
  // Length.dat is too short to hold every day count.
  static RunTimeError TooShort(std::string path, std::int64_t fileLength);
  // Length.dat is longer than its length can count; refused before a byte is read.
  static RunTimeError TooLarge(std::string path, std::int64_t fileLength);
  // The file's image does not fit in memory; nothing has changed.
  static RunTimeError OutOfMemory(Operation operation, std::string path);
  // The system refused to open, read or write; `fileChanged` says whether any byte may have reached
  // the disk.
  static RunTimeError System(Operation operation, std::string path, Refusal refusal,
                             std::string reason, bool fileChanged);
  // The text typed into a field does not convert to a day count.
  static RunTimeError BadValue(ErrorKind kind, std::string path, int field, std::string text);
  // An offset outside the file image.
  static RunTimeError OutOfImage(Operation operation, std::string path, int offset);

  const char* what() const noexcept override { return summary_.c_str(); }

  ErrorKind kind() const { return kind_; }
  Operation operation() const { return operation_; }
  const std::string& path() const { return path_; }
  const std::string& reason() const { return reason_; }  // the system's words, if any
  Refusal refusal() const { return refusal_; }
  bool isFolder() const { return refusal_ == Refusal::Folder; }
  bool fileChanged() const { return fileChanged_; }
  std::int64_t fileLength() const { return fileLength_; }
  int field() const { return field_; }               // 1..28, or 0 when no field is at fault
  int offset() const { return offset_; }             // offset outside the image, or -1
  const std::string& text() const { return text_; }  // the field's text as typed

 private:
  RunTimeError(ErrorKind kind, Operation operation, std::string path);

  ErrorKind kind_;
  Operation operation_;
  std::string path_;
  std::string reason_;
  Refusal refusal_ = Refusal::Other;
  bool fileChanged_ = false;
  std::int64_t fileLength_ = 0;
  int field_ = 0;
  int offset_ = -1;
  std::string text_;
  std::string summary_;
};

// The kind's name as the user reads it (in the last-resort report and the summary).
const char* KindName(ErrorKind kind);

}  // namespace tallyvane
