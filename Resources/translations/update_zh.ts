<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CUpdateManager</name>
    <message>
        <source>The firmware file is damaged. Please download it again.</source>
        <translation>固件文件已损坏，请重新下载。</translation>
    </message>
    <message>
        <source>The firmware file is not meant for this device.</source>
        <translation>该固件文件不适用于此设备。</translation>
    </message>
    <message>
        <source>The firmware file is older than the firmware of the device.</source>
        <translation>该固件文件的版本低于设备当前的固件版本。</translation>
    </message>
    <message>
        <source>The flash memory of this device is not supported.</source>
        <translation>不支持此设备的闪存。</translation>
    </message>
    <message>
        <source>A firmware update is already running.</source>
        <translation>固件升级正在进行中。</translation>
    </message>
    <message>
        <source>The firmware file cannot be read. Please download it again.</source>
        <translation>无法读取固件文件，请重新下载。</translation>
    </message>
</context>
</TS>
