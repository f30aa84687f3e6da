// Loads the Brelt.rcc of the build once per test and drops it afterwards.
#pragma once

#include "platform/brelt/Brelt.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

class BreltTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Icons and key sequences need an application; no display is used.
        static int argc = 1;
        static char name[] = "test_brelt";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            new QGuiApplication(argc, argv);
    }
    void SetUp() override { ASSERT_TRUE(CBrelt::Load(QStringLiteral(BRELT_RCC))); }
    void TearDown() override { CBrelt::Unload(); }
};
