#include "ui/error_text.h"

#include <gtest/gtest.h>

#include <new>

namespace tallyvane {
namespace {

const std::string kPath = "C:\\游戏\\DATA\\Length.dat";

struct TextCase {
  const char* name;
  RunTimeError error;
  std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* os) {
  *os << c.name;
}

class ErrorTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ErrorTextTest, TellsTheUserWhatIsWrong) {
  EXPECT_EQ(DescribeError(GetParam().error), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorTextTest,
    testing::Values(
        TextCase{"NotFound", RunTimeError::NotFound(kPath), "没有找到通告文件：" + kPath},
        TextCase{"TooShort", RunTimeError::TooShort(kPath, 1448),
                 "通告文件长度不足：" + kPath + "\n至少需要 1449 字节，实际只有 1448 字节。"},
        TextCase{"Empty", RunTimeError::TooShort(kPath, 0),
                 "通告文件长度不足：" + kPath + "\n至少需要 1449 字节，实际只有 0 字节。"},
        TextCase{
            "Unreadable",
            RunTimeError::System(Operation::Load, kPath, Refusal::Other, "拒绝访问。 (5)", false),
            "无法读取通告文件：" + kPath + "\n拒绝访问。 (5)"},
        TextCase{"FolderOnLoad", RunTimeError::IsFolder(Operation::Load, kPath),
                 "无法读取通告文件：" + kPath + "\n这个位置是一个文件夹，不是文件。"},
        TextCase{"FolderOnSave", RunTimeError::IsFolder(Operation::Save, kPath),
                 "无法写入通告文件：" + kPath + "\n这个位置是一个文件夹，不是文件。"},
        TextCase{
            "Unwritable",
            RunTimeError::System(Operation::Save, kPath, Refusal::Other, "拒绝访问。 (5)", false),
            "无法写入通告文件：" + kPath + "\n拒绝访问。 (5)\n文件未被修改。"},
        TextCase{"InUseOnLoad",
                 RunTimeError::System(Operation::Load, kPath, Refusal::InUse, "(32)", false),
                 "无法读取通告文件：" + kPath +
                     "\n文件正被另一个程序占用，多半是正在运行的游戏，或另一个编辑器窗口。请先关闭"
                     "它，再重新读取。"},
        TextCase{
            "HalfWritten",
            RunTimeError::System(Operation::Save, kPath, Refusal::Other, "磁盘已满。 (112)", true),
            "无法写入通告文件：" + kPath +
                "\n磁盘已满。 (112)\n写入中途失败，文件可能已不完整，请检查。"},
        TextCase{"Overflow", RunTimeError::BadValue(ErrorKind::Overflow, kPath, 22, "300"),
                 "「主持·主持人」必须是 0 到 255 之间的整数，当前内容为“300”。"},
        TextCase{"Empty text", RunTimeError::BadValue(ErrorKind::TypeMismatch, kPath, 28, ""),
                 "「时装秀·女艺人」必须是 0 到 255 之间的整数，当前内容为“”。"},
        TextCase{"32 characters",
                 RunTimeError::BadValue(ErrorKind::Overflow, kPath, 1, std::string(32, '9')),
                 "「连续剧·男主角」必须是 0 到 255 之间的整数，当前内容为“" + std::string(32, '9') +
                     "”。"},
        TextCase{"255 characters",
                 RunTimeError::BadValue(ErrorKind::Overflow, kPath, 1, std::string(255, '9')),
                 "「连续剧·男主角」必须是 0 到 255 之间的整数，当前内容为“" + std::string(32, '9') +
                     "…”。"},
        TextCase{"Chinese characters",
                 RunTimeError::BadValue(
                     ErrorKind::TypeMismatch, kPath, 1,
                     "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四"),
                 "「连续剧·男主角」必须是 0 到 255 之间的整数，当前内容为“"
                 "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二…”。"},
        TextCase{"TooLarge", RunTimeError::TooLarge(kPath, 3221225472),
                 "通告文件过大：" + kPath + "\n最多允许 2147483647 字节，实际有 3221225472 字节。"},
        TextCase{"OutOfMemoryOnLoad", RunTimeError::OutOfMemory(Operation::Load, kPath),
                 "内存不足，无法读取通告文件：" + kPath},
        TextCase{"OutOfMemoryOnSave", RunTimeError::OutOfMemory(Operation::Save, kPath),
                 "内存不足，无法保存通告文件：" + kPath + "\n文件未被修改。"}),
    [](const testing::TestParamInfo<TextCase>& param) {
      std::string name = param.param.name;
      std::erase(name, ' ');
      return name;
    });

TEST(DescribeUnexpected, NamesTheKindOfError) {
  const auto text = [](auto error) { return DescribeUnexpected(std::make_exception_ptr(error)); };
  EXPECT_NE(text(RunTimeError::OutOfImage(Operation::Save, kPath, 2000)).find("下标越界"),
            std::string::npos);
  EXPECT_NE(text(std::bad_alloc()).find("内存不足"), std::string::npos);
  EXPECT_NE(text(std::runtime_error("boom")).find("boom"), std::string::npos);
  EXPECT_NE(text(42).find("未知错误"), std::string::npos);
}

}  // namespace
}  // namespace tallyvane
