#include "app/WorkViews.h"

#include <QWidget>

// Until the work views are built, each mode shows an empty page of the frame's background.
QWidget* CreateWorkView(int mode, QWidget* parent)
{
    auto* view = new QWidget(parent);
    view->setObjectName(QStringLiteral("workview%1").arg(mode));
    return view;
}
