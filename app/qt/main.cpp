#include "corvexapplication.h"
#include "errorreport.h"
#include "frmSettings.h"

int main(int argc, char **argv)
{
    CorvexApplication app(argc, argv);
    EventGuard &guard = app.guard();
    int status = 0;
    {
        frmSettings window(guard);
        if (guard.run([&] { window.load(); })) {
            window.show();
            status = app.exec();
        }
    } // no half-updated window stays behind the report
    if (guard.failed()) {
        ErrorReport::show(guard.error());
        return 1;
    }
    return status;
}
