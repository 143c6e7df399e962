<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>WTabPageVolume</name>
    <message>
        <source>Mic</source>
        <translation>麦克风</translation>
    </message>
    <message>
        <source>Headphones</source>
        <translation>耳机</translation>
    </message>
    <message>
        <source>Line In</source>
        <translation>线路输入</translation>
    </message>
    <message>
        <source>Line Out</source>
        <translation>线路输出</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>计算机</translation>
    </message>
    <message>
        <source>Microphone:</source>
        <translation>麦克风：</translation>
    </message>
    <message>
        <source>Headphone:</source>
        <translation>耳机：</translation>
    </message>
    <message>
        <source>Line in:</source>
        <translation>线路输入：</translation>
    </message>
    <message>
        <source>Line out:</source>
        <translation>线路输出：</translation>
    </message>
    <message>
        <source>Computer:</source>
        <translation>计算机：</translation>
    </message>
    <message>
        <source>PLAYBACK</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>RECORD</source>
        <translation>录制</translation>
    </message>
    <message>
        <source>Volume - PLAYBACK</source>
        <translation>音量 - 播放</translation>
    </message>
    <message>
        <source>Volume - RECORD</source>
        <translation>音量 - 录制</translation>
    </message>
    <message>
        <source>Not detected</source>
        <translation>未检测到</translation>
    </message>
    <message>
        <source>Muted</source>
        <translation>已静音</translation>
    </message>
</context>
</TS>
