<?xml version='1.0' encoding='utf-8'?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>WTabPageInfo</name>
    <message>
        <source>Not present</source>
        <translation>无信号</translation>
    </message>
    <message>
        <source>Unsupported Signal</source>
        <translation>不支持的信号</translation>
    </message>
    <message>
        <source>Locking Signal</source>
        <translation>正在锁定信号</translation>
    </message>
    <message>
        <source>%1 Hz, %2 bits%3</source>
        <translation>%1 Hz，%2 位%3</translation>
    </message>
    <message>
        <source>Do you really want to stop downloading the new version?</source>
        <translation>确定要停止下载新版本吗？</translation>
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
        <source>###Version </source>
        <translation>###版本 </translation>
    </message>
    <message>
        <source>The device may have been damaged. For further information,click the 'Help' button.</source>
        <translation>设备可能已损坏。如需更多信息，请点击“帮助”按钮。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
</context>
<context>
    <name>WFirmwareInfoDlg</name>
    <message>
        <source>Release Notes</source>
        <translation>发行说明</translation>
    </message>
</context>
<context>
    <name>WFirmwareUpgradeDlg</name>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Erasing</source>
        <translation>擦除中</translation>
    </message>
    <message>
        <source>Writing</source>
        <translation>写入中</translation>
    </message>
    <message>
        <source>Verifying</source>
        <translation>校验中</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
        <source>Update succeed. Please unplug and replug the device.</source>
        <translation>更新成功。请拔下并重新插入设备。</translation>
    </message>
    <message>
        <source>Update failed</source>
        <translation>更新失败</translation>
    </message>
    <message>
        <source>Can't find this firmware file. Update failed</source>
        <translation>找不到该固件文件。更新失败</translation>
    </message>
    <message>
        <source>Can't detect the device. Update failed</source>
        <translation>检测不到设备。更新失败</translation>
    </message>
    <message>
        <source>Please ensure that all other applications have been closed. DO NOT unplug the Lumivandrex device. DO NOT shut down or reboot the computer during the update process.</source>
        <translation>请确保已关闭所有其他应用程序。更新过程中请勿拔下 Lumivandrex 设备，请勿关闭或重新启动计算机。</translation>
    </message>
    <message>
        <source>Current version:</source>
        <translation>当前版本：</translation>
    </message>
    <message>
        <source>New version:</source>
        <translation>新版本：</translation>
    </message>
</context>
</TS>
