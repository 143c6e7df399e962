#ifndef WTABPAGEVIDEO_H
#define WTABPAGEVIDEO_H

#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "toolkit/wpagebase.h"


// The video processing page. The input and capture processing panels come with
// the video work; until then the page shows its device state only.
class WTabPageVideo : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageVideo(QWidget* parent = nullptr);
    ~WTabPageVideo() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

signals:
    void sigPageRefreshed(unsigned int flags, bool partial);
};

#endif // WTABPAGEVIDEO_H
