# WebKitGTK's own print to a PDF file, which its WebDriver lacks: the page
# loaded in a view of its own, waited for until it runs, and printed with no
# dialog on a sheet of the given size.
#   webkit_print.py URL PDF WIDTH_INCHES HEIGHT_INCHES
import gettext, sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import GLib, Gtk, WebKit2

url, pdf, width, height = sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4])
view = WebKit2.WebView()
window = Gtk.OffscreenWindow()
window.add(view)
window.show_all()
failed = []


def fail(why):
    failed.append(why)
    Gtk.main_quit()


def ask_state():
    view.evaluate_javascript("document.documentElement.dataset.state || ''", -1, None, None, None, told, None)
    return False


def told(view, result, _):
    state = view.evaluate_javascript_finish(result).to_string()
    if state == "ended":
        return fail("the page ended")
    if state != "running":
        return GLib.timeout_add(100, ask_state)
    settings = Gtk.PrintSettings()
    settings.set(Gtk.PRINT_SETTINGS_OUTPUT_URI, GLib.filename_to_uri(pdf))
    settings.set(Gtk.PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf")
    settings.set_printer(gettext.dgettext("gtk30", "Print to File"))  # GTK's file printer, named in the language
    setup = Gtk.PageSetup()
    setup.set_paper_size(Gtk.PaperSize.new_custom("sheet", "sheet", width, height, Gtk.Unit.INCH))
    setup.set_orientation(Gtk.PageOrientation.PORTRAIT)
    operation = WebKit2.PrintOperation.new(view)
    operation.set_print_settings(settings)
    operation.set_page_setup(setup)
    operation.connect("finished", lambda _: Gtk.main_quit())
    operation.connect("failed", lambda _, error: fail(str(error)))
    operation.print_()


view.load_uri(url)
ask_state()
GLib.timeout_add_seconds(60, lambda: fail("no print in 60 s"))
Gtk.main()
sys.exit("; ".join(failed) or None)
