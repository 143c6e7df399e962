#ifndef WTABPAGEINPUT_H
#define WTABPAGEINPUT_H

#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "toolkit/wpagebase.h"

class QLabel;

// The input page: the current video input and its signal status. For now it
// shows which input the device reports; the source selection and the status
// views are filled in with the input work.
class WTabPageInput : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageInput(QWidget* parent = nullptr);
    ~WTabPageInput() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

    void OnInputStatusChanged(quint64 mask) override;
    void OnInputSourceChanged(quint64 mask) override;

    // Name of an input type of report 0x10 ("HDMI", "VGA", ...; empty when unknown).
    static QString InputTypeName(quint32 type);

signals:
    void inputAudioChanged(bool present);
    void inputVideoChanged(bool present);
    void inputStatusChanged(quint64 mask);
    void sigPageRefreshed(unsigned int flags, bool partial);

private slots:
    void OnInputStatusChanged2(quint64 mask);

private:
    QLabel* m_pInputLabel = nullptr;
};

#endif // WTABPAGEINPUT_H
