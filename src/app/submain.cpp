#include "submain.h"

#include "form1.h"

#include <QApplication>

namespace SubMain {

int Main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setApplicationVersion(QStringLiteral(MORVANE_VERSION));
    form1 window;
    window.show();
    return app.exec();
}

} // namespace SubMain
