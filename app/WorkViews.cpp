#include "app/WorkViews.h"

#include "app/ViewComposer.h"
#include "app/ViewDecorate.h"
#include "app/ViewEditor.h"

QWidget* CreateWorkView(int mode, QWidget* parent) {
    switch (mode) {
        case WORKMODE_EDIT:
            return new CViewEditor(parent);
        case WORKMODE_DECORATE:
            return new CViewDecorate(parent);
        default:
            return new CViewComposer(parent);
    }
}
