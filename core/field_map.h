// The 28 day counts of Length.dat that the editors show, and where the file keeps them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tallyvane {

inline constexpr int kFieldCount = 28;

// Offsets the engine walks with its cursor (see EditorState).
inline constexpr std::int16_t kBaseOffset = 44;    // field 1, record 0
inline constexpr std::int16_t kStride = 36;        // one record further
inline constexpr std::int16_t kTailAnchor = 1304;  // record 35, last copy of the hosting group
inline constexpr std::int16_t kLastOffset = 1448;  // field 28, record 39
inline constexpr std::int32_t kMinimumFileLength = kLastOffset + 1;

// The hosting fields are stored five times over, in records 21 to 35.
inline constexpr int kFirstHostingField = 22;
inline constexpr int kLastHostingField = 24;
inline constexpr int kFirstTailField = 25;

struct FieldInfo {
  int field;                    // 1..28
  std::string_view box;         // the text box that shows it
  std::string_view rowCaption;  // label at the start of its row
  std::string_view boxCaption;  // label left of its box
  int record;                   // record it is read from
  int offsetRead;               // byte offset a load reads
};

inline constexpr std::array<FieldInfo, kFieldCount> kFieldMap{{
    {1, "Text1", "连续剧", "男主角", 0, 44},      {2, "Text2", "连续剧", "女主角", 1, 80},
    {3, "Text3", "连续剧", "男配角", 2, 116},     {4, "Text4", "连续剧", "女配角", 3, 152},
    {5, "Text5", "单元剧", "男主角", 4, 188},     {6, "Text6", "单元剧", "女主角", 5, 224},
    {7, "Text7", "单元剧", "男配角", 6, 260},     {8, "Text8", "单元剧", "女配角", 7, 296},
    {9, "Text9", "短片", "男主角", 8, 332},       {10, "Text10", "短片", "女主角", 9, 368},
    {11, "Text11", "短片", "男配角", 10, 404},    {12, "Text12", "短片", "女配角", 11, 440},
    {13, "Text13", "电影", "男主角", 12, 476},    {14, "Text14", "电影", "女主角", 13, 512},
    {15, "Text15", "电影", "男配角", 14, 548},    {16, "Text16", "电影", "女配角", 15, 584},
    {17, "Text17", "唱片", "个人", 16, 620},      {18, "Text18", "唱片", "团体", 17, 656},
    {19, "Text19", "唱片", "原声带", 18, 692},    {20, "Text20", "广告", "男艺人", 19, 728},
    {21, "Text21", "广告", "女艺人", 20, 764},    {22, "Text22", "主持", "主持人", 21, 800},
    {23, "Text23", "主持", "助理", 22, 836},      {24, "Text24", "主持", "外景", 23, 872},
    {25, "Text25", "舞台剧", "男艺人", 36, 1340}, {26, "Text26", "舞台剧", "女艺人", 37, 1376},
    {27, "Text27", "时装秀", "男艺人", 38, 1412}, {28, "Text28", "时装秀", "女艺人", 39, 1448},
}};

// Field n (1..28) of the map.
constexpr const FieldInfo& FieldAt(int field) {
  return kFieldMap.at(static_cast<std::size_t>(field - 1));
}

}  // namespace tallyvane
