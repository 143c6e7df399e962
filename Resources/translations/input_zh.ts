<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>WTabPageInput</name>
    <message>
        <source>%1 Bits</source>
        <translation>%1 位</translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>%1 Hz, %2 bits%3</source>
        <translation>%1 Hz, %2 位%3</translation>
    </message>
    <message>
        <source>%1 Lines</source>
        <translation>%1 行</translation>
    </message>
    <message>
        <source>%1 Pixels</source>
        <translation>%1 像素</translation>
    </message>
    <message>
        <source>%1 input %2</source>
        <translation>%1 输入 %2</translation>
    </message>
    <message>
        <source>%1 x %2%3, %4 Hz</source>
        <translation>%1 x %2%3, %4 Hz</translation>
    </message>
    <message>
        <source>%1x%2 Pixels</source>
        <translation>%1x%2 像素</translation>
    </message>
    <message>
        <source>, Auto scan</source>
        <translation>, 自动扫描</translation>
    </message>
    <message>
        <source>, Link with video</source>
        <translation>, 跟随视频</translation>
    </message>
    <message>
        <source>10 Bits</source>
        <translation>10 位</translation>
    </message>
    <message>
        <source>12 Bits</source>
        <translation>12 位</translation>
    </message>
    <message>
        <source>3D format</source>
        <translation>3D 格式</translation>
    </message>
    <message>
        <source>3D format:</source>
        <translation>3D 格式:</translation>
    </message>
    <message>
        <source>3D structure</source>
        <translation>3D 结构</translation>
    </message>
    <message>
        <source>3D structure:</source>
        <translation>3D 结构:</translation>
    </message>
    <message>
        <source>8 Bits</source>
        <translation>8 位</translation>
    </message>
    <message>
        <source>Active area offset</source>
        <translation>有效区域偏移</translation>
    </message>
    <message>
        <source>Active area offset:</source>
        <translation>有效区域偏移:</translation>
    </message>
    <message>
        <source>Aspect ratio</source>
        <translation>宽高比</translation>
    </message>
    <message>
        <source>Aspect ratio:</source>
        <translation>宽高比:</translation>
    </message>
    <message>
        <source>Audio Signal Status</source>
        <translation>音频信号状态</translation>
    </message>
    <message>
        <source>Audio format</source>
        <translation>音频格式</translation>
    </message>
    <message>
        <source>Audio format:</source>
        <translation>音频格式:</translation>
    </message>
    <message>
        <source>Audio input : </source>
        <translation>音频输入 : </translation>
    </message>
    <message>
        <source>Audio input:</source>
        <translation>音频输入:</translation>
    </message>
    <message>
        <source>Auto scan</source>
        <translation>自动扫描</translation>
    </message>
    <message>
        <source>Channel 1 &amp; 2</source>
        <translation>声道 1 &amp; 2</translation>
    </message>
    <message>
        <source>Channel 1 &amp; 2:</source>
        <translation>声道 1 &amp; 2:</translation>
    </message>
    <message>
        <source>Channel 3 &amp; 4</source>
        <translation>声道 3 &amp; 4</translation>
    </message>
    <message>
        <source>Channel 3 &amp; 4:</source>
        <translation>声道 3 &amp; 4:</translation>
    </message>
    <message>
        <source>Channel 5 &amp; 6</source>
        <translation>声道 5 &amp; 6</translation>
    </message>
    <message>
        <source>Channel 5 &amp; 6:</source>
        <translation>声道 5 &amp; 6:</translation>
    </message>
    <message>
        <source>Channel 7 &amp; 8</source>
        <translation>声道 7 &amp; 8</translation>
    </message>
    <message>
        <source>Channel 7 &amp; 8:</source>
        <translation>声道 7 &amp; 8:</translation>
    </message>
    <message>
        <source>Channel status data</source>
        <translation>声道状态数据</translation>
    </message>
    <message>
        <source>Channel status data:</source>
        <translation>声道状态数据:</translation>
    </message>
    <message>
        <source>Color depth</source>
        <translation>色深</translation>
    </message>
    <message>
        <source>Color depth:</source>
        <translation>色深:</translation>
    </message>
    <message>
        <source>Color format</source>
        <translation>颜色格式</translation>
    </message>
    <message>
        <source>Color format:</source>
        <translation>颜色格式:</translation>
    </message>
    <message>
        <source>Embedded sync - Bi Level</source>
        <translation>嵌入同步 - 双电平</translation>
    </message>
    <message>
        <source>Embedded sync - Tri Level</source>
        <translation>嵌入同步 - 三电平</translation>
    </message>
    <message>
        <source>Embendded sync - Bi Level</source>
        <translation>嵌入同步 - 双电平</translation>
    </message>
    <message>
        <source>Embendded sync - Tri Level</source>
        <translation>嵌入同步 - 三电平</translation>
    </message>
    <message>
        <source>Extended gamut(1-254)</source>
        <translation>扩展色域(1-254)</translation>
    </message>
    <message>
        <source>False</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Field rate</source>
        <translation>场频</translation>
    </message>
    <message>
        <source>Field rate:</source>
        <translation>场频:</translation>
    </message>
    <message>
        <source>Frame rate</source>
        <translation>帧率</translation>
    </message>
    <message>
        <source>Frame rate:</source>
        <translation>帧率:</translation>
    </message>
    <message>
        <source>Full range(0-255)</source>
        <translation>全范围(0-255)</translation>
    </message>
    <message>
        <source>HDCP encrypted</source>
        <translation>HDCP 加密</translation>
    </message>
    <message>
        <source>HDCP encrypted:</source>
        <translation>HDCP 加密:</translation>
    </message>
    <message>
        <source>HDMI input 0</source>
        <translation>HDMI 输入 0</translation>
    </message>
    <message>
        <source>IT content</source>
        <translation>IT 内容</translation>
    </message>
    <message>
        <source>IT content:</source>
        <translation>IT 内容:</translation>
    </message>
    <message>
        <source>Input - Audio Signal Status</source>
        <translation>输入 - 音频信号状态</translation>
    </message>
    <message>
        <source>Input - Input Specific Status</source>
        <translation>输入 - 输入专属状态</translation>
    </message>
    <message>
        <source>Input - VIDEO &amp; AUDIO INPUTS</source>
        <translation>输入 - 视频和音频输入</translation>
    </message>
    <message>
        <source>Input - Video Signal Status</source>
        <translation>输入 - 视频信号状态</translation>
    </message>
    <message>
        <source>Input Specific Status</source>
        <translation>输入专属状态</translation>
    </message>
    <message>
        <source>Interlaced</source>
        <translation>隔行</translation>
    </message>
    <message>
        <source>Limited range(16-235)</source>
        <translation>有限范围(16-235)</translation>
    </message>
    <message>
        <source>Link with video</source>
        <translation>跟随视频</translation>
    </message>
    <message>
        <source>Locked</source>
        <translation>已锁定</translation>
    </message>
    <message>
        <source>Locking</source>
        <translation>正在锁定</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>模式:</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Not present</source>
        <translation>不存在</translation>
    </message>
    <message>
        <source>Pixel encoding</source>
        <translation>像素编码</translation>
    </message>
    <message>
        <source>Pixel encoding:</source>
        <translation>像素编码:</translation>
    </message>
    <message>
        <source>Present</source>
        <translation>存在</translation>
    </message>
    <message>
        <source>Progressive</source>
        <translation>逐行</translation>
    </message>
    <message>
        <source>Quantization range</source>
        <translation>量化范围</translation>
    </message>
    <message>
        <source>Quantization range:</source>
        <translation>量化范围:</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>分辨率:</translation>
    </message>
    <message>
        <source>Sampling struct</source>
        <translation>采样结构</translation>
    </message>
    <message>
        <source>Sampling struct:</source>
        <translation>采样结构:</translation>
    </message>
    <message>
        <source>Saturation range</source>
        <translation>饱和度范围</translation>
    </message>
    <message>
        <source>Saturation range:</source>
        <translation>饱和度范围:</translation>
    </message>
    <message>
        <source>Scanning</source>
        <translation>正在扫描</translation>
    </message>
    <message>
        <source>Scanning format</source>
        <translation>扫描格式</translation>
    </message>
    <message>
        <source>Scanning format:</source>
        <translation>扫描格式:</translation>
    </message>
    <message>
        <source>Segmented frame</source>
        <translation>分段帧</translation>
    </message>
    <message>
        <source>Signal status</source>
        <translation>信号状态</translation>
    </message>
    <message>
        <source>Signal status:</source>
        <translation>信号状态:</translation>
    </message>
    <message>
        <source>Sub sampling</source>
        <translation>子采样</translation>
    </message>
    <message>
        <source>Sub sampling:</source>
        <translation>子采样:</translation>
    </message>
    <message>
        <source>Sync type</source>
        <translation>同步类型</translation>
    </message>
    <message>
        <source>Sync type:</source>
        <translation>同步类型:</translation>
    </message>
    <message>
        <source>TV Standard</source>
        <translation>电视制式</translation>
    </message>
    <message>
        <source>TV Standard:</source>
        <translation>电视制式:</translation>
    </message>
    <message>
        <source>Timing - H active</source>
        <translation>时序 - 水平有效</translation>
    </message>
    <message>
        <source>Timing - H active:</source>
        <translation>时序 - 水平有效:</translation>
    </message>
    <message>
        <source>Timing - H back porch</source>
        <translation>时序 - 水平后沿</translation>
    </message>
    <message>
        <source>Timing - H back porch:</source>
        <translation>时序 - 水平后沿:</translation>
    </message>
    <message>
        <source>Timing - H front porch</source>
        <translation>时序 - 水平前沿</translation>
    </message>
    <message>
        <source>Timing - H front porch:</source>
        <translation>时序 - 水平前沿:</translation>
    </message>
    <message>
        <source>Timing - H sync width</source>
        <translation>时序 - 水平同步宽度</translation>
    </message>
    <message>
        <source>Timing - H sync width:</source>
        <translation>时序 - 水平同步宽度:</translation>
    </message>
    <message>
        <source>Timing - H total</source>
        <translation>时序 - 水平总数</translation>
    </message>
    <message>
        <source>Timing - H total:</source>
        <translation>时序 - 水平总数:</translation>
    </message>
    <message>
        <source>Timing - Pixel clock</source>
        <translation>时序 - 像素时钟</translation>
    </message>
    <message>
        <source>Timing - Pixel clock:</source>
        <translation>时序 - 像素时钟:</translation>
    </message>
    <message>
        <source>Timing - Type</source>
        <translation>时序 - 类型</translation>
    </message>
    <message>
        <source>Timing - Type:</source>
        <translation>时序 - 类型:</translation>
    </message>
    <message>
        <source>Timing - V active</source>
        <translation>时序 - 垂直有效</translation>
    </message>
    <message>
        <source>Timing - V active:</source>
        <translation>时序 - 垂直有效:</translation>
    </message>
    <message>
        <source>Timing - V back porch</source>
        <translation>时序 - 垂直后沿</translation>
    </message>
    <message>
        <source>Timing - V back porch:</source>
        <translation>时序 - 垂直后沿:</translation>
    </message>
    <message>
        <source>Timing - V front porch</source>
        <translation>时序 - 垂直前沿</translation>
    </message>
    <message>
        <source>Timing - V front porch:</source>
        <translation>时序 - 垂直前沿:</translation>
    </message>
    <message>
        <source>Timing - V sync width</source>
        <translation>时序 - 垂直同步宽度</translation>
    </message>
    <message>
        <source>Timing - V sync width:</source>
        <translation>时序 - 垂直同步宽度:</translation>
    </message>
    <message>
        <source>Timing - V total</source>
        <translation>时序 - 垂直总数</translation>
    </message>
    <message>
        <source>Timing - V total:</source>
        <translation>时序 - 垂直总数:</translation>
    </message>
    <message>
        <source>Timing - field 0 V active</source>
        <translation>时序 - 场 0 垂直有效</translation>
    </message>
    <message>
        <source>Timing - field 0 V active:</source>
        <translation>时序 - 场 0 垂直有效:</translation>
    </message>
    <message>
        <source>Timing - field 0 V back porch</source>
        <translation>时序 - 场 0 垂直后沿</translation>
    </message>
    <message>
        <source>Timing - field 0 V back porch:</source>
        <translation>时序 - 场 0 垂直后沿:</translation>
    </message>
    <message>
        <source>Timing - field 0 V front porch</source>
        <translation>时序 - 场 0 垂直前沿</translation>
    </message>
    <message>
        <source>Timing - field 0 V front porch:</source>
        <translation>时序 - 场 0 垂直前沿:</translation>
    </message>
    <message>
        <source>Timing - field 0 V sync width</source>
        <translation>时序 - 场 0 垂直同步宽度</translation>
    </message>
    <message>
        <source>Timing - field 0 V sync width:</source>
        <translation>时序 - 场 0 垂直同步宽度:</translation>
    </message>
    <message>
        <source>Timing - field 0 V total</source>
        <translation>时序 - 场 0 垂直总数</translation>
    </message>
    <message>
        <source>Timing - field 0 V total:</source>
        <translation>时序 - 场 0 垂直总数:</translation>
    </message>
    <message>
        <source>Timing - field 1 V active</source>
        <translation>时序 - 场 1 垂直有效</translation>
    </message>
    <message>
        <source>Timing - field 1 V active:</source>
        <translation>时序 - 场 1 垂直有效:</translation>
    </message>
    <message>
        <source>Timing - field 1 V back porch</source>
        <translation>时序 - 场 1 垂直后沿</translation>
    </message>
    <message>
        <source>Timing - field 1 V back porch:</source>
        <translation>时序 - 场 1 垂直后沿:</translation>
    </message>
    <message>
        <source>Timing - field 1 V front porch</source>
        <translation>时序 - 场 1 垂直前沿</translation>
    </message>
    <message>
        <source>Timing - field 1 V front porch:</source>
        <translation>时序 - 场 1 垂直前沿:</translation>
    </message>
    <message>
        <source>Timing - field 1 V sync width</source>
        <translation>时序 - 场 1 垂直同步宽度</translation>
    </message>
    <message>
        <source>Timing - field 1 V sync width:</source>
        <translation>时序 - 场 1 垂直同步宽度:</translation>
    </message>
    <message>
        <source>Timing - field 1 V total</source>
        <translation>时序 - 场 1 垂直总数</translation>
    </message>
    <message>
        <source>Timing - field 1 V total:</source>
        <translation>时序 - 场 1 垂直总数:</translation>
    </message>
    <message>
        <source>Timing - frame rate</source>
        <translation>时序 - 帧率</translation>
    </message>
    <message>
        <source>Timing - frame rate:</source>
        <translation>时序 - 帧率:</translation>
    </message>
    <message>
        <source>Timing - scanning format</source>
        <translation>时序 - 扫描格式</translation>
    </message>
    <message>
        <source>Timing - scanning format:</source>
        <translation>时序 - 扫描格式:</translation>
    </message>
    <message>
        <source>Total scan lines</source>
        <translation>总扫描行数</translation>
    </message>
    <message>
        <source>Total scan lines:</source>
        <translation>总扫描行数:</translation>
    </message>
    <message>
        <source>Total scan size</source>
        <translation>总扫描尺寸</translation>
    </message>
    <message>
        <source>Total scan size:</source>
        <translation>总扫描尺寸:</translation>
    </message>
    <message>
        <source>True</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>类型:</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Unsupported</source>
        <translation>不支持</translation>
    </message>
    <message>
        <source>VIC</source>
        <translation>VIC</translation>
    </message>
    <message>
        <source>VIC:</source>
        <translation>VIC:</translation>
    </message>
    <message>
        <source>VIDEO &amp; AUDIO INPUTS</source>
        <translation>视频和音频输入</translation>
    </message>
    <message>
        <source>VS width</source>
        <translation>场同步宽度</translation>
    </message>
    <message>
        <source>VS width:</source>
        <translation>场同步宽度:</translation>
    </message>
    <message>
        <source>Video Signal Status</source>
        <translation>视频信号状态</translation>
    </message>
    <message>
        <source>Video input : </source>
        <translation>视频输入 : </translation>
    </message>
    <message>
        <source>YES</source>
        <translation>是</translation>
    </message>
    <message>
        <source>YUV BT. 2020</source>
        <translation>YUV BT. 2020</translation>
    </message>
    <message>
        <source>YUV BT. 2020C</source>
        <translation>YUV BT. 2020C</translation>
    </message>
    <message>
        <source>YUV BT. 601</source>
        <translation>YUV BT. 601</translation>
    </message>
    <message>
        <source>YUV BT. 709</source>
        <translation>YUV BT. 709</translation>
    </message>
</context>
</TS>
