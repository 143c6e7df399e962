#include "toolkit/cfocusmanager.h"

#include <QWidget>

CFocusManager g_focusManager;

CFocusManager::CFocusManager() = default;

CFocusManager::~CFocusManager() = default;

void CFocusManager::SetDefaultFocus()
{
    if (m_pMainFocusWid)
        m_pMainFocusWid->setFocus(Qt::OtherFocusReason);
}
