#include "core/run_time_error.h"

#include <utility>

namespace tallyvane {

RunTimeError::RunTimeError(ErrorKind kind, Operation operation, std::string path)
    : kind_(kind), operation_(operation), path_(std::move(path)) {
  summary_ = std::string(KindName(kind)) + ": " + path_;
}

RunTimeError RunTimeError::NotFound(std::string path) {
  return RunTimeError(ErrorKind::FileNotFound, Operation::Load, std::move(path));
}

RunTimeError RunTimeError::IsFolder(Operation operation, std::string path) {
  RunTimeError error(ErrorKind::FileSystem, operation, std::move(path));
  error.refusal_ = Refusal::Folder;
  return error;
}

RunTimeError RunTimeError::TooShort(std::string path, std::int64_t fileLength) {
  RunTimeError error(ErrorKind::SubscriptOutOfRange, Operation::Load, std::move(path));
  error.fileLength_ = fileLength;
  return error;
}

RunTimeError RunTimeError::TooLarge(std::string path, std::int64_t fileLength) {
  RunTimeError error(ErrorKind::Overflow, Operation::Load, std::move(path));
  error.fileLength_ = fileLength;
  error.summary_ += " (" + std::to_string(fileLength) + " bytes)";
  return error;
}

RunTimeError RunTimeError::OutOfMemory(Operation operation, std::string path) {
  return RunTimeError(ErrorKind::OutOfMemory, operation, std::move(path));
}

RunTimeError RunTimeError::System(Operation operation, std::string path, Refusal refusal,
                                  std::string reason, bool fileChanged) {
  RunTimeError error(ErrorKind::FileSystem, operation, std::move(path));
  error.refusal_ = refusal;
  error.summary_ += " (" + reason + ")";
  error.reason_ = std::move(reason);
  error.fileChanged_ = fileChanged;
  return error;
}

RunTimeError RunTimeError::BadValue(ErrorKind kind, std::string path, int field, std::string text) {
  RunTimeError error(kind, Operation::Save, std::move(path));
  error.field_ = field;
  error.summary_ += " field " + std::to_string(field) + " \"" + text + "\"";
  error.text_ = std::move(text);
  return error;
}

RunTimeError RunTimeError::OutOfImage(Operation operation, std::string path, int offset) {
  RunTimeError error(ErrorKind::SubscriptOutOfRange, operation, std::move(path));
  error.offset_ = offset;
  error.summary_ += " offset " + std::to_string(offset);
  return error;
}

const char* KindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::FileNotFound:
      return "文件未找到";
    case ErrorKind::SubscriptOutOfRange:
      return "下标越界";
    case ErrorKind::TypeMismatch:
      return "类型不匹配";
    case ErrorKind::Overflow:
      return "溢出";
    case ErrorKind::FileSystem:
      return "文件系统错误";
    case ErrorKind::OutOfMemory:
      return "内存不足";
  }
  return "未知错误";
}

}  // namespace tallyvane
