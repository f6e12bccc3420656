// The settings-file chooser.
#pragma once

#include <QWidget>

#include "platform/platform.h"

namespace tw {

class TForm1;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    TForm3(TForm1& bar, const Platform& platform, QWidget* parent = nullptr);

    // Fills the list from the program directory and shows the chooser.
    void ShowFileList();

private:
    TForm1& bar_;
    Platform platform_;
};

}  // namespace tw
