<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>WTabPageHdmi</name>
    <message>
        <source>Keep last</source>
        <translation>保持上次</translation>
    </message>
    <message>
        <source>Add audio</source>
        <translation>添加音频</translation>
    </message>
    <message>
        <source>Limited pixel clock</source>
        <translation>限制像素时钟</translation>
    </message>
    <message>
        <source>Capture Device EDID</source>
        <translation>采集设备 EDID</translation>
    </message>
    <message>
        <source>Loop Through Device EDID</source>
        <translation>环出设备 EDID</translation>
    </message>
    <message>
        <source>AVI</source>
        <translation>AVI</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>SPD</source>
        <translation>SPD</translation>
    </message>
    <message>
        <source>MS</source>
        <translation>MS</translation>
    </message>
    <message>
        <source>VS</source>
        <translation>VS</translation>
    </message>
    <message>
        <source>ACP</source>
        <translation>ACP</translation>
    </message>
    <message>
        <source>ISRC1</source>
        <translation>ISRC1</translation>
    </message>
    <message>
        <source>ISRC2</source>
        <translation>ISRC2</translation>
    </message>
    <message>
        <source>Gamut</source>
        <translation>色域</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <source>HDMI - INFO FRAME</source>
        <translation>HDMI - 信息帧</translation>
    </message>
</context>
<context>
    <name>QInfoFrameWidget</name>
    <message>
        <source>  N/A</source>
        <translation>  N/A</translation>
    </message>
    <message>
        <source> (OK)</source>
        <translation> (正确)</translation>
    </message>
</context>
<context>
    <name>QEDIDInputWidget</name>
    <message>
        <source>Timing...</source>
        <translation>时序...</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>导入...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>导出...</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Read EDID file failed!</source>
        <translation>读取 EDID 文件失败！</translation>
    </message>
    <message>
        <source>Read EDID failed!</source>
        <translation>读取 EDID 失败！</translation>
    </message>
    <message>
        <source>Export EDID file failed!</source>
        <translation>导出 EDID 文件失败！</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>Vontresk:</source>
        <translation>Vontresk:</translation>
    </message>
    <message>
        <source>Keep last:</source>
        <translation>保持上次：</translation>
    </message>
    <message>
        <source>Add audio:</source>
        <translation>添加音频：</translation>
    </message>
    <message>
        <source>Limited pixel clock:</source>
        <translation>限制像素时钟：</translation>
    </message>
    <message>
        <source>Capture device EDID:</source>
        <translation>采集设备 EDID：</translation>
    </message>
</context>
<context>
    <name>QEDIDLoopThroughWidget</name>
    <message>
        <source>Loop through device EDID:</source>
        <translation>环出设备 EDID：</translation>
    </message>
</context>
<context>
    <name>QCustomTimingDialog</name>
    <message>
        <source>EDID Detailed Timing</source>
        <translation>EDID 详细时序</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>模式：</translation>
    </message>
    <message>
        <source>Coordinated Video Timing (CVT)</source>
        <translation>协调视频时序 (CVT)</translation>
    </message>
    <message>
        <source>Coordinated Video Timing - Reduced Blanking (CVT-RB)</source>
        <translation>协调视频时序 - 缩减消隐 (CVT-RB)</translation>
    </message>
    <message>
        <source>General Timing Formula (GTF)</source>
        <translation>通用时序公式 (GTF)</translation>
    </message>
    <message>
        <source>Custom Timing</source>
        <translation>自定义时序</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Horizontal active</source>
        <translation>水平有效</translation>
    </message>
    <message>
        <source>Vertical active</source>
        <translation>垂直有效</translation>
    </message>
    <message>
        <source>Vertical scan frame rate</source>
        <translation>垂直扫描帧率</translation>
    </message>
    <message>
        <source>Horizontal total</source>
        <translation>水平总数</translation>
    </message>
    <message>
        <source>Horizontal blanking</source>
        <translation>水平消隐</translation>
    </message>
    <message>
        <source>Horizontal front porch</source>
        <translation>水平前肩</translation>
    </message>
    <message>
        <source>Horizontal sync pulse width</source>
        <translation>水平同步脉宽</translation>
    </message>
    <message>
        <source>Horizontal back porch</source>
        <translation>水平后肩</translation>
    </message>
    <message>
        <source>Vertical total</source>
        <translation>垂直总数</translation>
    </message>
    <message>
        <source>Vertical blanking</source>
        <translation>垂直消隐</translation>
    </message>
    <message>
        <source>Vertical front porch</source>
        <translation>垂直前肩</translation>
    </message>
    <message>
        <source>Vertical sync pulse width</source>
        <translation>垂直同步脉宽</translation>
    </message>
    <message>
        <source>Vertical back porch</source>
        <translation>垂直后肩</translation>
    </message>
    <message>
        <source>pixels</source>
        <translation>像素</translation>
    </message>
    <message>
        <source>lines</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
</context>
<context>
    <name>QTimingCellWidget</name>
    <message>
        <source>Range: %1 ~ %2</source>
        <translation>范围：%1 ~ %2</translation>
    </message>
</context>
<context>
    <name>QWarningWidget</name>
    <message>
        <source>Current Pixel Clock: %1 MHz (%2 MHz at most).</source>
        <translation>当前像素时钟：%1 MHz（最大 %2 MHz）。</translation>
    </message>
</context>
</TS>
