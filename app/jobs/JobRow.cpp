#include "app/jobs/JobRow.h"

namespace jobs {

namespace {

constexpr int kHiddenMax = 1;

const TJobColumn kColumns[JobColumnCount] = {
    {"输入文件", 80, true, 0},          {"视频时间", 70, true, 0},
    {"文件大小", 70, true, 0},          {"输出文件", 80, true, 0},
    {"转换进度", 70, true, 0},          {"", 0, false, kHiddenMax},
    {"当前时间", 80, true, 0},          {"转换大小", 80, true, 0},
    {"视频序号", 0, false, kHiddenMax}, {"视频类别", 0, false, kHiddenMax},
    {"视频选项", 0, false, kHiddenMax}, {"视频编码", 0, false, kHiddenMax},
    {"音频编码", 0, false, kHiddenMax}, {"声音频道", 0, false, kHiddenMax},
    {"VideoTag", 0, false, kHiddenMax}, {"FileExt", 0, false, kHiddenMax},
    {"视频分辨率", 0, false, kHiddenMax}, {"视频比特率", 0, false, kHiddenMax},
    {"视频帧率", 0, false, kHiddenMax}, {"音频比特率", 0, false, kHiddenMax},
    {"音频采样率", 0, false, kHiddenMax}, {"视频缩放", 0, false, kHiddenMax},
    {"视频能否", 0, false, kHiddenMax}, {"TargetType", 0, false, kHiddenMax},
    {"NormType", 0, false, kHiddenMax},
};

}  // namespace

std::span<const TJobColumn> JobColumns() { return kColumns; }

}  // namespace jobs
