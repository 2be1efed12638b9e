#include "ui/error_text.h"

#include <cstdint>
#include <limits>
#include <new>

#include "core/field_map.h"

namespace tallyvane {
namespace {

constexpr char kKeptEverything[] = "文件未被修改，已输入的数值都保留。";

// A quoted text shows at most this many characters, then an ellipsis.
constexpr int kQuotedCharacters = 32;

// The first kQuotedCharacters characters of UTF-8 `text`, and "…" where there were more.
std::string Abbreviated(const std::string& text) {
  int characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (startsCharacter && ++characters > kQuotedCharacters) return text.substr(0, i) + "…";
  }
  return text;
}

std::string DescribeBadValue(const RunTimeError& error) {
  const FieldInfo& info = FieldAt(error.field());
  return "「" + std::string(info.rowCaption) + "·" + std::string(info.boxCaption) +
         "」必须是 0 到 255 之间的整数，当前内容为“" + Abbreviated(error.text()) + "”。";
}

std::string DescribeFileSystem(const RunTimeError& error) {
  const bool load = error.operation() == Operation::Load;
  std::string text = (load ? "无法读取通告文件：" : "无法写入通告文件：") + error.path() + "\n";
  switch (error.refusal()) {
    case Refusal::Folder:
      return text + "这个位置是一个文件夹，不是文件。";
    case Refusal::InUse:
      return text +
             "文件正被另一个程序占用，多半是正在运行的游戏，或另一个编辑器窗口。请先关闭它，" +
             (load ? "再重新读取。" : "再选择“保存”。\n" + std::string(kKeptEverything));
    case Refusal::AccessDenied:
      if (!load)
        return text +
               "Windows 只允许以管理员身份运行的程序写入这个文件夹（例如 Program Files 下的游戏"
               "文件夹）。\n" +
               kKeptEverything;
      break;
    case Refusal::Other:
      break;
  }
  text += error.reason();
  if (!load)
    text += error.fileChanged() ? "\n写入中途失败，文件可能已不完整，请检查。" : "\n文件未被修改。";
  return text;
}

}  // namespace

std::string DescribeError(const RunTimeError& error) {
  switch (error.kind()) {
    case ErrorKind::FileNotFound:
      return "没有找到通告文件：" + error.path();
    case ErrorKind::SubscriptOutOfRange:
      if (error.offset() < 0)
        return "通告文件长度不足：" + error.path() + "\n至少需要 " +
               std::to_string(kMinimumFileLength) + " 字节，实际只有 " +
               std::to_string(error.fileLength()) + " 字节。";
      return "通告文件数据越界：" + error.path();
    case ErrorKind::Overflow:
      if (error.field() == 0)
        return "通告文件过大：" + error.path() + "\n最多允许 " +
               std::to_string(std::numeric_limits<std::int32_t>::max()) + " 字节，实际有 " +
               std::to_string(error.fileLength()) + " 字节。";
      return DescribeBadValue(error);
    case ErrorKind::TypeMismatch:
      return DescribeBadValue(error);
    case ErrorKind::FileSystem:
      return DescribeFileSystem(error);
    case ErrorKind::OutOfMemory:
      if (error.operation() == Operation::Load)
        return "内存不足，无法读取通告文件：" + error.path();
      return "内存不足，无法保存通告文件：" + error.path() + "\n文件未被修改。";
  }
  return error.what();
}

std::string DescribeUnexpected(const std::exception_ptr& error) {
  const std::string lead = "程序遇到无法处理的错误，即将退出。\n";
  try {
    std::rethrow_exception(error);
  } catch (const RunTimeError& e) {
    return lead + KindName(e.kind()) + "：" + DescribeError(e);
  } catch (const std::bad_alloc&) {
    return lead + "内存不足。";
  } catch (const std::exception& e) {
    return lead + "意外错误：" + e.what();
  } catch (...) {
    return lead + "未知错误。";
  }
}

}  // namespace tallyvane
