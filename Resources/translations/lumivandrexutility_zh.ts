<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Kivorant Lumivandrex Utility V%1.%2.%3.%4</source>
        <translation>Kivorant Lumivandrex 工具 V%1.%2.%3.%4</translation>
    </message>
    <message>
        <source>Kivorant Technology Co., Ltd.</source>
        <translation>Kivorant 科技有限公司</translation>
    </message>
    <message>
        <source>Copyright (C) %1 Kivorant. All rights reserved.</source>
        <translation>版权所有 (C) %1 Kivorant。保留所有权利。</translation>
    </message>
</context>
<context>
    <name>HtmlReport</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>The device was disconnected or changed. The report was not saved.</source>
        <translation>设备已断开或已更换，报告未保存。</translation>
    </message>
    <message>
        <source>Failed to save the report. Please check the file name and the folder.</source>
        <translation>保存报告失败，请检查文件名和文件夹。</translation>
    </message>
</context>
<context>
    <name>LumivandrexUtility</name>
    <message>
        <source>Kivorant Lumivandrex Utility</source>
        <translation>Kivorant Lumivandrex 工具</translation>
    </message>
    <message>
        <source>Open main window</source>
        <translation>打开主窗口</translation>
    </message>
    <message>
        <source>Boot to run</source>
        <translation>开机启动</translation>
    </message>
    <message>
        <source>Accept prompt message</source>
        <translation>接收提示消息</translation>
    </message>
    <message>
        <source>Check for updates...</source>
        <translation>检查更新...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Are you sure to discard these changes? If you clicked "No" and some options will only take effect after reconnecting the device.</source>
        <translation>确定要放弃这些更改吗？如果点击“否”，部分选项需要重新连接设备后才能生效。</translation>
    </message>
    <message>
        <source>Are you sure to discard these changes? If you clicked "No" and some options will only take effect after reconnecting the device and rebooting computer.</source>
        <translation>确定要放弃这些更改吗？如果点击“否”，部分选项需要重新连接设备并重启计算机后才能生效。</translation>
    </message>
    <message>
        <source>Are you sure to discard these changes?</source>
        <translation>确定要放弃这些更改吗？</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>PropertyPage</name>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>时序</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
</context>
<context>
    <name>QWrapperStack</name>
    <message>
        <source>Custom GTF/CVT Resolutions</source>
        <translation>自定义 GTF/CVT 分辨率</translation>
    </message>
    <message>
        <source>Adjust Timing</source>
        <translation>调整时序</translation>
    </message>
    <message>
        <source>Custom Timings</source>
        <translation>自定义时序</translation>
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
        <source>Input Specific Status</source>
        <translation>输入专有状态</translation>
    </message>
    <message>
        <source>Video Signal Status</source>
        <translation>视频信号状态</translation>
    </message>
    <message>
        <source>Audio Signal Status</source>
        <translation>音频信号状态</translation>
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
</context>
<context>
    <name>QWrapperTableWidget</name>
    <message>
        <source>    NAME</source>
        <translation>    名称</translation>
    </message>
    <message>
        <source>    VALUE</source>
        <translation>    值</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>发行说明</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Cancel downloading</source>
        <translation>取消下载</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Checking for updates</source>
        <translation>正在检查更新</translation>
    </message>
    <message>
        <source>New version available</source>
        <translation>有新版本可用</translation>
    </message>
    <message>
        <source>It is the latest version.</source>
        <translation>已是最新版本。</translation>
    </message>
    <message>
        <source>Connection failed, please try again</source>
        <translation>连接失败，请重试</translation>
    </message>
    <message>
        <source>Download failed, please try again</source>
        <translation>下载失败，请重试</translation>
    </message>
    <message>
        <source>New version prepared</source>
        <translation>新版本已就绪</translation>
    </message>
    <message>
        <source>The device may have been damaged</source>
        <translation>设备可能已损坏</translation>
    </message>
    <message>
        <source>Update succeed, unplug and replug the device</source>
        <translation>更新成功，请拔下并重新插入设备</translation>
    </message>
</context>
<context>
    <name>SettingsBar</name>
    <message>
        <source>Save Report...</source>
        <translation>保存报告...</translation>
    </message>
    <message>
        <source>Reset to Defaults</source>
        <translation>恢复默认设置</translation>
    </message>
    <message>
        <source>Save to Device</source>
        <translation>保存到设备</translation>
    </message>
    <message>
        <source>This operation will use default settings.                                        Some options will only take effect after reconnecting the device and rebooting the computer.                                        Do you want to continue this operation?</source>
        <translation>此操作将使用默认设置。部分选项需要重新连接设备并重启计算机后才能生效。是否继续此操作？</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Failed to restore the default settings. The device settings were not changed.</source>
        <translation>恢复默认设置失败，设备设置未更改。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>The default settings are in use but could not be saved in the device. Click "Save to Device" to try again.</source>
        <translation>默认设置已生效，但无法保存到设备中。请点击“保存到设备”重试。</translation>
    </message>
    <message>
        <source>Some options will only take effect after reconnecting the device.</source>
        <translation>部分选项需要重新连接设备后才能生效。</translation>
    </message>
    <message>
        <source>Some options will only take effect after reconnecting the device and rebooting the computer.</source>
        <translation>部分选项需要重新连接设备并重启计算机后才能生效。</translation>
    </message>
    <message>
        <source>Failed to save the settings to the device. The changes are still pending.</source>
        <translation>保存设置到设备失败，更改仍未保存。</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Proceed with saving changes?</source>
        <translation>是否保存更改？</translation>
    </message>
    <message>
        <source>Proceed with saving changes? Some options will only take effect after reconnecting the device.</source>
        <translation>是否保存更改？部分选项需要重新连接设备后才能生效。</translation>
    </message>
    <message>
        <source>Proceed with saving changes? Some options will only take effect after reconnecting the device and rebooting the computer.</source>
        <translation>是否保存更改？部分选项需要重新连接设备并重启计算机后才能生效。</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Failed to save the changes to the previous device. The changes will be lost.</source>
        <translation>无法将更改保存到之前的设备，更改将丢失。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Couldn't detect the device. The changes will be lost.</source>
        <translation>无法检测到设备，更改将丢失。</translation>
    </message>
    <message>
        <source>New device available</source>
        <translation>发现新设备</translation>
    </message>
</context>
<context>
    <name>WTabPageAdvanced</name>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
</context>
<context>
    <name>WTabPageHdmi</name>
    <message>
        <source>Video signal present</source>
        <translation>有视频信号</translation>
    </message>
    <message>
        <source>No video signal</source>
        <translation>无视频信号</translation>
    </message>
    <message>
        <source>HDMI</source>
        <translation>HDMI</translation>
    </message>
</context>
<context>
    <name>WTabPageInfo</name>
    <message>
        <source>Family name</source>
        <translation>系列名称</translation>
    </message>
    <message>
        <source>Product name</source>
        <translation>产品名称</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Firmware version</source>
        <translation>固件版本</translation>
    </message>
    <message>
        <source>Hardware version</source>
        <translation>硬件版本</translation>
    </message>
    <message>
        <source>Video signal format</source>
        <translation>视频信号格式</translation>
    </message>
    <message>
        <source>Audio signal format</source>
        <translation>音频信号格式</translation>
    </message>
    <message>
        <source>USB speed</source>
        <translation>USB 速度</translation>
    </message>
    <message>
        <source>Max input dimension</source>
        <translation>最大输入尺寸</translation>
    </message>
    <message>
        <source>Max capture dimension</source>
        <translation>最大采集尺寸</translation>
    </message>
    <message>
        <source>Family name:</source>
        <translation>系列名称：</translation>
    </message>
    <message>
        <source>Product name:</source>
        <translation>产品名称：</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>Firmware version:</source>
        <translation>固件版本：</translation>
    </message>
    <message>
        <source>Hardware version:</source>
        <translation>硬件版本：</translation>
    </message>
    <message>
        <source>Video signal format:</source>
        <translation>视频信号格式：</translation>
    </message>
    <message>
        <source>Audio signal format:</source>
        <translation>音频信号格式：</translation>
    </message>
    <message>
        <source>USB speed:</source>
        <translation>USB 速度：</translation>
    </message>
    <message>
        <source>Max input dimension:</source>
        <translation>最大输入尺寸：</translation>
    </message>
    <message>
        <source>Max capture dimension:</source>
        <translation>最大采集尺寸：</translation>
    </message>
    <message>
        <source>%1x%2 Pixels</source>
        <translation>%1x%2 像素</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
</context>
<context>
    <name>WTabPageInput</name>
    <message>
        <source>Component</source>
        <translation>分量</translation>
    </message>
    <message>
        <source>Composite</source>
        <translation>复合</translation>
    </message>
    <message>
        <source>Video input: %1</source>
        <translation>视频输入：%1</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Video input:</source>
        <translation>视频输入：</translation>
    </message>
</context>
<context>
    <name>WTabPageTiming</name>
    <message>
        <source>Timing</source>
        <translation>时序</translation>
    </message>
</context>
<context>
    <name>WTabPageVideo</name>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
</context>
<context>
    <name>WTabPageVolume</name>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
</context>
</TS>