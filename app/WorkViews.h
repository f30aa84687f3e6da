// The frame's three work views, one per work mode (0 album composition, 1 photo editing,
// 2 decoration). The frame creates them through this one function so that it does not depend on
// how each view arranges its panels.
#pragma once

class QWidget;

constexpr int WORKMODE_COMPOSE = 0;
constexpr int WORKMODE_EDIT = 1;
constexpr int WORKMODE_DECORATE = 2;

// Creates the work view of `mode` as a child of `parent`; the parent owns it.
QWidget* CreateWorkView(int mode, QWidget* parent);
