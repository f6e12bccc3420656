// The settings editor.
#pragma once

#include <QWidget>

#include "platform/platform.h"

namespace tw {

class TForm1;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(TForm1& bar, const Platform& platform, QWidget* parent = nullptr);

private:
    TForm1& bar_;
    Platform platform_;
};

}  // namespace tw
