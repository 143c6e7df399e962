<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QObject</name>
    <message>
        <source>Blend top &amp; bottom field</source>
        <translation>混合顶场和底场</translation>
    </message>
    <message>
        <source>Bottom field only</source>
        <translation>仅底场</translation>
    </message>
    <message>
        <source>Cropping</source>
        <translation>裁剪</translation>
    </message>
    <message>
        <source>Extened gamut (1-254)</source>
        <translation>扩展色域 (1-254)</translation>
    </message>
    <message>
        <source>Full range (0-255)</source>
        <translation>全范围 (0-255)</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>忽略</translation>
    </message>
    <message>
        <source>Limited range (16-235)</source>
        <translation>有限范围 (16-235)</translation>
    </message>
    <message>
        <source>Padding</source>
        <translation>填充</translation>
    </message>
    <message>
        <source>Top field only</source>
        <translation>仅顶场</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Weave</source>
        <translation>交织</translation>
    </message>
</context>
<context>
    <name>WTabPageVideo</name>
    <message>
        <source>,</source>
        <translation>,</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <source>AR conversion : </source>
        <translation>宽高比转换 : </translation>
    </message>
    <message>
        <source>AR conversion:</source>
        <translation>宽高比转换:</translation>
    </message>
    <message>
        <source>Aspect ratio : </source>
        <translation>宽高比 : </translation>
    </message>
    <message>
        <source>Aspect ratio:</source>
        <translation>宽高比:</translation>
    </message>
    <message>
        <source>Blend top &amp; bottom field</source>
        <translation>混合顶场和底场</translation>
    </message>
    <message>
        <source>Bottom field only</source>
        <translation>仅底场</translation>
    </message>
    <message>
        <source>CAPTURE</source>
        <translation>采集</translation>
    </message>
    <message>
        <source>Capture format : </source>
        <translation>采集格式 : </translation>
    </message>
    <message>
        <source>Capture format:</source>
        <translation>采集格式:</translation>
    </message>
    <message>
        <source>Color format : </source>
        <translation>颜色格式 : </translation>
    </message>
    <message>
        <source>Color format:</source>
        <translation>颜色格式:</translation>
    </message>
    <message>
        <source>Crop input : </source>
        <translation>裁剪输入 : </translation>
    </message>
    <message>
        <source>Crop input:</source>
        <translation>裁剪输入:</translation>
    </message>
    <message>
        <source>Cropping</source>
        <translation>裁剪</translation>
    </message>
    <message>
        <source>Deinterlace : </source>
        <translation>去隔行 : </translation>
    </message>
    <message>
        <source>Deinterlace:</source>
        <translation>去隔行:</translation>
    </message>
    <message>
        <source>Extended gamut (1-254)</source>
        <translation>扩展色域 (1-254)</translation>
    </message>
    <message>
        <source>False</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>翻转</translation>
    </message>
    <message>
        <source>Flip:</source>
        <translation>翻转:</translation>
    </message>
    <message>
        <source>Full range (0-255)</source>
        <translation>全范围 (0-255)</translation>
    </message>
    <message>
        <source>INPUT</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>忽略</translation>
    </message>
    <message>
        <source>Limited range (16-235)</source>
        <translation>有限范围 (16-235)</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>镜像</translation>
    </message>
    <message>
        <source>Mirror:</source>
        <translation>镜像:</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Padding</source>
        <translation>填充</translation>
    </message>
    <message>
        <source>Quantization : </source>
        <translation>量化 : </translation>
    </message>
    <message>
        <source>Quantization:</source>
        <translation>量化:</translation>
    </message>
    <message>
        <source>Saturation : </source>
        <translation>饱和度 : </translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>饱和度:</translation>
    </message>
    <message>
        <source>Set as </source>
        <translation>设置为 </translation>
    </message>
    <message>
        <source>Specific effect : </source>
        <translation>特殊效果 : </translation>
    </message>
    <message>
        <source>Top field only</source>
        <translation>仅顶场</translation>
    </message>
    <message>
        <source>True</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Video - CAPTURE</source>
        <translation>视频 - 采集</translation>
    </message>
    <message>
        <source>Video - INPUT</source>
        <translation>视频 - 输入</translation>
    </message>
    <message>
        <source>Weave</source>
        <translation>交织</translation>
    </message>
</context>
</TS>
