#include "corvexapplication.h"
#include "frmSettings.h"

int main(int argc, char **argv)
{
    CorvexApplication app(argc, argv);
    frmSettings window;
    try {
        window.load();
    } catch (const std::exception &error) {
        app.fail(&error);
        return 1;
    }
    window.show();
    const int status = app.exec();
    return app.failed() ? 1 : status;
}
