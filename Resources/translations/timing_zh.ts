<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QAdjustTimingWidget</name>
    <message>
        <source>Preferred timings &gt;</source>
        <translation>首选时序 &gt;</translation>
    </message>
    <message>
        <source>H active : </source>
        <translation>水平有效 : </translation>
    </message>
    <message>
        <source>H total : </source>
        <translation>水平总数 : </translation>
    </message>
    <message>
        <source>H offset : </source>
        <translation>水平偏移 : </translation>
    </message>
    <message>
        <source>V active : </source>
        <translation>垂直有效 : </translation>
    </message>
    <message>
        <source>V offset : </source>
        <translation>垂直偏移 : </translation>
    </message>
    <message>
        <source>Clamp position : </source>
        <translation>钳位位置 : </translation>
    </message>
    <message>
        <source>Aspect ratio : </source>
        <translation>宽高比 : </translation>
    </message>
    <message>
        <source>Reset timing</source>
        <translation>重置时序</translation>
    </message>
    <message>
        <source>Save as custom timing</source>
        <translation>保存为自定义时序</translation>
    </message>
    <message>
        <source>Already defined custom timing for current input signal, overwrite?</source>
        <translation>当前输入信号已定义自定义时序，是否覆盖？</translation>
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
        <source>Custom</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>%1 Pixels</source>
        <translation>%1 像素</translation>
    </message>
    <message>
        <source>%1 Lines</source>
        <translation>%1 行</translation>
    </message>
</context>
<context>
    <name>QCustomResolutionsWidget</name>
    <message>
        <source>    Resolutions</source>
        <translation>    分辨率</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>添加...</translation>
    </message>
    <message>
        <source>Modify...</source>
        <translation>修改...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>QCustomTimingWidget</name>
    <message>
        <source>    Mode</source>
        <translation>    模式</translation>
    </message>
    <message>
        <source>    Total scan</source>
        <translation>    总扫描</translation>
    </message>
    <message>
        <source>    Sync signal</source>
        <translation>    同步信号</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>QResolutionDialog</name>
    <message>
        <source>Please enter a number between 128 and 4096.</source>
        <translation>请输入 128 到 4096 之间的数字。</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
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
        <translation>请输入有效的数字。</translation>
    </message>
    <message>
        <source>The resolution you entered already exists.</source>
        <translation>您输入的分辨率已存在。</translation>
    </message>
</context>
<context>
    <name>WTabPageTiming</name>
    <message>
        <source>Adjust Timing</source>
        <translation>调整时序</translation>
    </message>
    <message>
        <source>Custom Timings</source>
        <translation>自定义时序</translation>
    </message>
    <message>
        <source>Custom GTF/CVT Resolutions</source>
        <translation>自定义 GTF/CVT 分辨率</translation>
    </message>
    <message>
        <source>Auto sampling phase</source>
        <translation>自动采样相位</translation>
    </message>
    <message>
        <source>Auto horizontal alignment</source>
        <translation>自动水平对齐</translation>
    </message>
    <message>
        <source>Phase : </source>
        <translation>相位 : </translation>
    </message>
    <message>
        <source>Auto phase adjust</source>
        <translation>自动相位调整</translation>
    </message>
    <message>
        <source>AUTO</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>True</source>
        <translation>是</translation>
    </message>
    <message>
        <source>False</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>时序</translation>
    </message>
    <message>
        <source>Timing - AUTO</source>
        <translation>时序 - 自动</translation>
    </message>
    <message>
        <source>Auto sampling phase:</source>
        <translation>自动采样相位:</translation>
    </message>
    <message>
        <source>Phase:</source>
        <translation>相位:</translation>
    </message>
    <message>
        <source>Set as %1</source>
        <translation>设置为 %1</translation>
    </message>
    <message>
        <source>Auto horizontal alignment:</source>
        <translation>自动水平对齐:</translation>
    </message>
    <message>
        <source>Timing - Adjust Timing</source>
        <translation>时序 - 调整时序</translation>
    </message>
    <message>
        <source>Current Timing:</source>
        <translation>当前时序:</translation>
    </message>
    <message>
        <source>H Active:</source>
        <translation>水平有效:</translation>
    </message>
    <message>
        <source>H Total:</source>
        <translation>水平总数:</translation>
    </message>
    <message>
        <source>H Offset:</source>
        <translation>水平偏移:</translation>
    </message>
    <message>
        <source>V Active:</source>
        <translation>垂直有效:</translation>
    </message>
    <message>
        <source>V Offset:</source>
        <translation>垂直偏移:</translation>
    </message>
    <message>
        <source>Clamp Position:</source>
        <translation>钳位位置:</translation>
    </message>
    <message>
        <source>Aspect ratio:</source>
        <translation>宽高比:</translation>
    </message>
    <message>
        <source>Timing - Custom Timings</source>
        <translation>时序 - 自定义时序</translation>
    </message>
    <message>
        <source>Custom Timings:</source>
        <translation>自定义时序:</translation>
    </message>
    <message>
        <source>Timing - Custom GTF/CVT Resolutions</source>
        <translation>时序 - 自定义 GTF/CVT 分辨率</translation>
    </message>
    <message>
        <source>Custom GTV/CVT Resolutions:</source>
        <translation>自定义 GTF/CVT 分辨率:</translation>
    </message>
</context>
</TS>
