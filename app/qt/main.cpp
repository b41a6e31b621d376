#include "corvexapplication.h"
#include "errorreport.h"
#include "frmSettings.h"

#include <memory>

int main(int argc, char **argv)
{
    CorvexApplication app(argc, argv);
    EventGuard &guard = app.guard();
    int status = 0;
    {
        // Built inside the guard too: a failure there gets the report.
        std::unique_ptr<frmSettings> window;
        if (guard.run([&] {
                window = std::make_unique<frmSettings>(guard);
                window->load();
            })) {
            window->show();
            status = app.exec();
        }
    } // no half-updated window stays behind the report
    if (guard.failed()) {
        ErrorReport::show(guard.error());
        return 1;
    }
    return status;
}
