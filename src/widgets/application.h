#pragma once
// The application object: delivers every event, and turns a run-time error
// that no routine handled into the program-wide error report.
#include <QApplication>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Names, resources and platform of the program; run before any window.
void InitProgram();
