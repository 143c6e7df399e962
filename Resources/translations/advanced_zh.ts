<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QTwoListEditor</name>
    <message>
        <source>Options in the left list (%1 options at most) will take effect.</source>
        <translation>左侧列表中的选项（最多 %1 项）将生效。</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>自定义...</translation>
    </message>
</context>
<context>
    <name>QColorSpaceWidget</name>
    <message>
        <source>Options in the left list (%1 options at most) will take effect.</source>
        <translation>左侧列表中的选项（最多 %1 项）将生效。</translation>
    </message>
    <message>
        <source>The device won't work if %1 format is placed in the first place of the applied list when setting color format.</source>
        <translation>设置颜色格式时，如果将 %1 格式放在已应用列表的首位，设备将无法工作。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>QCustomFpsDialog</name>
    <message>
        <source>Custom Frame Rate</source>
        <translation>自定义帧率</translation>
    </message>
    <message>
        <source>Please enter a number between %1 FPS and %2 FPS and 
round up to two decimal places.</source>
        <translation>请输入 %1 FPS 到 %2 FPS 之间的数值，
最多保留两位小数。</translation>
    </message>
    <message>
        <source>Frame rate</source>
        <translation>帧率</translation>
    </message>
    <message>
        <source>Frame duration</source>
        <translation>帧间隔</translation>
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
        <source>Please enter a valid number.</source>
        <translation>请输入有效的数值。</translation>
    </message>
    <message>
        <source>The frame rate you entered already exists.</source>
        <translation>您输入的帧率已存在。</translation>
    </message>
</context>
<context>
    <name>QCustomSizeDialog</name>
    <message>
        <source>Custom Resolution</source>
        <translation>自定义分辨率</translation>
    </message>
    <message>
        <source>The width of the Image is in 64 ~ %1 and in multiples 
of %2. The height is in 64 ~ %3 and in multiples of 2.</source>
        <translation>图像宽度范围为 64 ~ %1，且为 %2 的倍数。
图像高度范围为 64 ~ %3，且为 2 的倍数。</translation>
    </message>
    <message>
        <source>Image width</source>
        <translation>图像宽度</translation>
    </message>
    <message>
        <source>Image height</source>
        <translation>图像高度</translation>
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
        <source>Please enter a valid number.</source>
        <translation>请输入有效的数值。</translation>
    </message>
    <message>
        <source>The resolution you entered already exists.</source>
        <translation>您输入的分辨率已存在。</translation>
    </message>
</context>
<context>
    <name>WTabPageAdvanced</name>
    <message>
        <source>For non-specialist users, please set these options carefully.</source>
        <translation>非专业用户请谨慎设置这些选项。</translation>
    </message>
    <message>
        <source>Color Format</source>
        <translation>颜色格式</translation>
    </message>
    <message>
        <source>Frame Rate</source>
        <translation>帧率</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>Model name</source>
        <translation>型号名称</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>黑色</translation>
    </message>
    <message>
        <source>Device name : </source>
        <translation>设备名称：</translation>
    </message>
    <message>
        <source>Status image : </source>
        <translation>状态图像：</translation>
    </message>
    <message>
        <source> (default)</source>
        <translation>（默认）</translation>
    </message>
    <message>
        <source>Color format:</source>
        <translation>颜色格式：</translation>
    </message>
    <message>
        <source>Frame rate:</source>
        <translation>帧率：</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>分辨率：</translation>
    </message>
    <message>
        <source>Device name:</source>
        <translation>设备名称：</translation>
    </message>
    <message>
        <source>Status image:</source>
        <translation>状态图像：</translation>
    </message>
</context>
</TS>
