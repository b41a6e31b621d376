#include "frmSettings.h"

#include "commoncontrols.h"
#include "controller.h"
#include "lasterror.h"
#include "picturebox.h"
#include "pictureloader.h"
#include "widetext.h"
#include "win32view.h"

#include <algorithm>
#include <commctrl.h>
#include <cstring>

namespace {

constexpr const wchar_t *ClassName = L"CorvexSettings";
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD WindowExStyle = WS_EX_APPWINDOW;
constexpr int FirstControlId = 100;
constexpr UINT AddToolTipsMessage = WM_APP + 1;
constexpr UINT SetIconsMessage = WM_APP + 2;
// The edit control's own procedure, kept on the field for its subclass.
constexpr const wchar_t *FieldClassProc = L"CorvexFieldClassProc";

int CALLBACK noteFontFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

bool fontInstalled(const wchar_t *family)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, family, LF_FACESIZE - 1);
    bool found = false;
    WindowDC screen(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// How the user's locale writes numbers; Windows programs write ASCII digits.
LocaleFacts userLocaleFacts()
{
    const auto info = [](LCTYPE type, const char *fallback) {
        wchar_t buffer[16] = {};
        if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 16) > 1)
            return narrow(buffer);
        return std::string(fallback);
    };
    LocaleFacts facts;
    facts.decimalSeparator = info(LOCALE_SDECIMAL, ".");
    facts.minusSign = info(LOCALE_SNEGATIVESIGN, "-");
    return facts;
}

std::size_t rowOf(const Design::Control &design)
{
    return std::size_t(&design - std::begin(Design::Controls));
}

SwitchKey switchKey(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_LEFT:
        return SwitchKey::Left;
    case VK_UP:
        return SwitchKey::Up;
    case VK_RIGHT:
        return SwitchKey::Right;
    case VK_DOWN:
        return SwitchKey::Down;
    case VK_SPACE:
        return SwitchKey::Space;
    }
    return SwitchKey::Other;
}

bool pressed(int key)
{
    return GetKeyState(key) & 0x8000;
}

} // namespace

void frmSettings::registerClass(HINSTANCE instance)
{
    const auto icon = [&](int width, int height) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(width), GetSystemMetrics(height), 0));
    };
    WNDCLASSEXW formClass = windowClass(instance, ClassName);
    formClass.hIcon = icon(SM_CXICON, SM_CYICON);
    formClass.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
    if (!formClass.hIcon || !formClass.hIconSm)
        throwLastError("The program's icon cannot be loaded");
    formClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    if (!RegisterClassExW(&formClass))
        throwLastError("The settings window's class cannot be registered");
    PictureBox::registerClass(instance);
}

frmSettings::frmSettings(EventGuard &guard) : WindowBase(guard) {}

void frmSettings::create(HINSTANCE instance)
{
    if (!CreateWindowExW(WindowExStyle, ClassName, widen(Design::Caption).c_str(), WindowStyle,
                         CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this))
        throwLastError("The settings window cannot be created");
    m_dpi = std::max(96, int(GetDpiForWindow(m_hwnd)));
    // The first of the design's substitutes that is installed: a TrueType face
    // stays sharp at every size and scale where the old raster font does not.
    m_fontFamily = widen(Design::WindowFont.family);
    for (const char *face : Design::FontSubstitutes)
        if (fontInstalled(widen(face).c_str())) {
            m_fontFamily = widen(face);
            break;
        }

    sizeWindow();
    // The class's icons are drawn for the system's scale; the window's own,
    // when it opens at another, come after its first frame.
    if (m_dpi != int(GetDpiForSystem()))
        PostMessageW(m_hwnd, SetIconsMessage, 0, 0);
    // Each new child goes below its siblings: made front to back, they stack
    // as designed. The housing comes before the switch that lives inside it.
    for (std::size_t row = 0; row < ControlCount; ++row)
        buildControl(instance, row);

    m_view = std::make_unique<Win32View>(m_txtFreq, m_Description, m_pics, m_screenReaders,
                                         [this](HWND box) { moveKeyboardFocus(box); });
    m_controller = std::make_unique<SettingsController>(*m_view, NumberText(userLocaleFacts()));
    m_focusWhenActive = m_txtFreq;
}

frmSettings::~frmSettings()
{
    if (m_hwnd) {
        m_closing = true;
        DestroyWindow(m_hwnd);
    }
}

void frmSettings::load()
{
    m_controller->Form_Load();
}

void frmSettings::show(int showCommand)
{
    ShowWindow(m_hwnd, showCommand);
    UpdateWindow(m_hwnd);
    SetFocus(m_txtFreq);
}

bool frmSettings::translateKey(MSG &message)
{
    const bool ours = message.hwnd == m_hwnd || IsChild(m_hwnd, message.hwnd);
    const bool key = message.message == WM_KEYDOWN || message.message == WM_KEYUP;
    if (!ours || !key)
        return IsDialogMessageW(m_hwnd, &message);
    const KeyModifiers held{pressed(VK_SHIFT), pressed(VK_CONTROL), pressed(VK_MENU),
                            pressed(VK_LWIN) || pressed(VK_RWIN)};
    const bool repeated = message.message == WM_KEYDOWN && (message.lParam & (1 << 30));
    for (int k = 1; k <= SwitchCount; ++k)
        if (m_pics[std::size_t(k - 1)]->hwnd() == GetFocus()) {
            bool consumed = false;
            m_guard.run([&] {
                consumed = m_controller->switchKey(
                    k, switchKey(message.wParam),
                    message.message == WM_KEYDOWN ? KeyPhase::Pressed : KeyPhase::Released, held,
                    repeated);
            });
            if (consumed)
                return true;
        }
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB)
        if (const Design::Control *next = Design::tabTarget(designFor(GetFocus()), held)) {
            moveKeyboardFocus(m_controls[rowOf(*next)]);
            return true;
        }
    return IsDialogMessageW(m_hwnd, &message);
}

void frmSettings::moveKeyboardFocus(HWND target)
{
    // The keyboard is in use: focus cues show from now on, as in a dialog.
    SendMessageW(m_hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    for (const auto &box : m_boxes)
        box->setKeyboardFocus(box->hwnd() == target);
    SetFocus(target);
    if (target == m_txtFreq) // as a dialog does when Tab enters a field
        SendMessageW(target, EM_SETSEL, 0, -1);
}

void frmSettings::buildControl(HINSTANCE instance, std::size_t row)
{
    const Design::Control &design = Design::Controls[row];
    const int id = FirstControlId + int(row);
    HWND parent = design.inHousing ? m_controls[rowOf(Design::control("picDIP_SW"))] : m_hwnd;
    const RECT at = controlRect(design);
    const auto create = [&](const wchar_t *windowClass, DWORD style) {
        return CreateWindowExW(0, windowClass, widen(design.text).c_str(),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, at.left, at.top,
                               at.right - at.left, at.bottom - at.top, parent,
                               reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
    };
    HWND control = nullptr;
    switch (design.kind) {
    case Design::Kind::PictureBox: {
        auto box = std::make_unique<PictureBox>(parent, design, id,
                                                loadEmbeddedPicture(instance, design.picture),
                                                m_dpi, m_screenReaders, m_guard);
        control = box->hwnd();
        if (design.switchNumber)
            m_pics[std::size_t(design.switchNumber - 1)] = box.get();
        m_boxes.push_back(std::move(box));
        break;
    }
    case Design::Kind::TextBox:
        // The window draws the thin border around the edit (onPaint): WS_BORDER
        // stays one device pixel at every scale.
        control = create(L"EDIT", WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL);
        if (!control ||
            !SetPropW(control, FieldClassProc,
                      reinterpret_cast<HANDLE>(GetWindowLongPtrW(control, GWLP_WNDPROC))) ||
            !SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProc)))
            throwLastError("The frequency field cannot be created");
        SendMessageW(control, EM_SETLIMITTEXT, Design::FrequencyMaxLength, 0);
        m_txtFreq = control;
        break;
    case Design::Kind::Label:
        control = create(L"STATIC", SS_LEFT | SS_NOPREFIX);
        if (!control)
            throwLastError("A label cannot be created");
        if (design.role == Design::Role::Instructions)
            m_Description = control;
        break;
    }
    m_controls[row] = control;
    if (design.kind != Design::Kind::PictureBox)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(design)), FALSE);
    if (*design.accessibleName)
        m_screenReaders.name(control, design.accessibleName, design.switchNumber != 0,
                             design.role == Design::Role::Switch ||
                                 design.role == Design::Role::Housing);
    if (control == m_txtFreq)
        m_screenReaders.describeSwitchesWith(control);
}

RECT frmSettings::deviceRect(const Design::Control &design) const
{
    const DeviceRect at = Design::deviceRect(design, Design::Arrangement::Desktop, m_dpi);
    return {at.left, at.top, at.right, at.bottom};
}

RECT frmSettings::fieldRect() const
{
    return deviceRect(Design::control("txtFreq"));
}

RECT frmSettings::controlRect(const Design::Control &design) const
{
    RECT at = deviceRect(design);
    if (design.kind == Design::Kind::TextBox) // inside the border the window draws
        InflateRect(&at, -borderWidth(m_dpi), -borderWidth(m_dpi));
    return at;
}

HFONT frmSettings::fontOf(const Design::Control &design)
{
    return fontFor(design.font.points ? design.font : Design::WindowFont);
}

SIZE frmSettings::windowSizeAt(int dpi) const
{
    RECT frame{0, 0, deviceOf(Design::pixels(Design::ClientWidth), dpi),
               deviceOf(Design::pixels(Design::ClientHeight), dpi)};
    AdjustWindowRectExForDpi(&frame, WindowStyle, FALSE, WindowExStyle, UINT(dpi));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void frmSettings::sizeWindow()
{
    const int width = deviceOf(Design::pixels(Design::ClientWidth), m_dpi);
    const int height = deviceOf(Design::pixels(Design::ClientHeight), m_dpi);
    RECT window;
    GetWindowRect(m_hwnd, &window);
    const SIZE size = windowSizeAt(m_dpi);
    if (window.right - window.left != size.cx || window.bottom - window.top != size.cy)
        SetWindowPos(m_hwnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame the system really draws may differ from the one computed for
    // this scale (Wine draws it at the system's scale, not the monitor's):
    // only then is the size corrected, so that the client area fits the
    // design exactly.
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (client.right != width || client.bottom != height) {
        GetWindowRect(m_hwnd, &window);
        SetWindowPos(m_hwnd, nullptr, 0, 0, window.right - window.left + width - client.right,
                     window.bottom - window.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void frmSettings::setIcons()
{
    // The lamp drawn for this scale, as the title bar and the taskbar ask for
    // it; the ones shown before go once these are in place.
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hwnd, GWLP_HINSTANCE));
    const auto load = [&](int width, int height) {
        OwnedIcon icon(static_cast<HICON>(LoadImageW(
            instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetricsForDpi(width, UINT(m_dpi)),
            GetSystemMetricsForDpi(height, UINT(m_dpi)), LR_DEFAULTCOLOR)));
        if (!icon)
            throwLastError("The program's icon cannot be loaded");
        return icon;
    };
    OwnedIcon big = load(SM_CXICON, SM_CYICON), small = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    m_bigIcon = std::move(big);
    m_smallIcon = std::move(small);
}

void frmSettings::applyDpi(int dpi)
{
    m_dpi = dpi;
    setIcons();
    // The old fonts go once the controls have the new ones.
    std::vector<std::pair<Design::Font, OwnedFont>> previous;
    previous.swap(m_fonts);
    for (const auto &box : m_boxes)
        box->setDpi(dpi);
    for (std::size_t row = 0; row < ControlCount; ++row) {
        const Design::Control &design = Design::Controls[row];
        if (design.kind == Design::Kind::PictureBox)
            continue;
        const RECT at = controlRect(design);
        SetWindowPos(m_controls[row], nullptr, at.left, at.top, at.right - at.left,
                     at.bottom - at.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(m_controls[row], WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(design)), TRUE);
    }
    sizeWindow();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

HFONT frmSettings::fontFor(const Design::Font &font)
{
    for (const auto &[design, made] : m_fonts)
        if (design.points == font.points && design.bold == font.bold &&
            std::strcmp(design.family, font.family) == 0)
            return made.get();
    LOGFONTW logical{};
    logical.lfHeight = -MulDiv(font.points, m_dpi, 72);
    logical.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logical.lfCharSet = ANSI_CHARSET; // Western
    logical.lfQuality = DEFAULT_QUALITY;
    wcsncpy(logical.lfFaceName, m_fontFamily.c_str(), LF_FACESIZE - 1);
    OwnedFont made(CreateFontIndirectW(&logical));
    if (!made)
        throwLastError("A font of the settings window cannot be made");
    return m_fonts.emplace_back(font, std::move(made)).second.get();
}

HBRUSH frmSettings::brushFor(std::uint32_t colour)
{
    const COLORREF wanted = toColorRef(colour);
    for (const auto &[made, brush] : m_brushes)
        if (made == wanted)
            return brush.get();
    OwnedBrush brush(CreateSolidBrush(wanted));
    if (!brush)
        throwLastError("A colour of the settings window cannot be made");
    return m_brushes.emplace_back(wanted, std::move(brush)).second.get();
}

const Design::Control *frmSettings::designFor(HWND control) const
{
    for (std::size_t row = 0; row < ControlCount; ++row)
        if (m_controls[row] == control)
            return &Design::Controls[row];
    return nullptr;
}

void frmSettings::addToolTips()
{
    CommonControlsScope themed;
    // ICC_BAR_CLASSES holds the tooltips' class.
    if (!CommonControlsScope::registerClasses(ICC_BAR_CLASSES))
        return; // hints only: the window works without them
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hwnd, GWLP_HINSTANCE));
    m_toolTips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, instance, nullptr);
    if (!m_toolTips)
        return; // hints only: the window works without them
    for (std::size_t row = 0; row < ControlCount; ++row) {
        const Design::Control &design = Design::Controls[row];
        if (!*design.toolTip)
            continue;
        std::wstring text = widen(design.toolTip);
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetParent(m_controls[row]);
        tool.uId = reinterpret_cast<UINT_PTR>(m_controls[row]);
        tool.lpszText = text.data();
        SendMessageW(m_toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT frmSettings::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(wParam);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return onControlColour(message, reinterpret_cast<HDC>(wParam),
                               reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        onActivate(wParam);
        return 0;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_GETDPISCALEDSIZE:
        return onGetDpiScaledSize(wParam, lParam);
    case WM_DPICHANGED:
        onDpiChanged(wParam, lParam);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: // high contrast switched on or off
        onSystemColoursChanged();
        break;
    case WM_SETCURSOR:
        // The pointer is over the window: only now can anyone hover, so only
        // now are the tooltips and their library loaded.
        if (!m_toolTipsAsked) {
            m_toolTipsAsked = true;
            PostMessageW(m_hwnd, AddToolTipsMessage, 0, 0);
        }
        break;
    case AddToolTipsMessage:
        addToolTips();
        return 0;
    case SetIconsMessage:
        setIcons();
        return 0;
    case WM_CLOSE:
        m_closing = true;
        DestroyWindow(m_hwnd);
        return 0;
    case WM_DESTROY:
        m_closing = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK frmSettings::fieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto classProc = reinterpret_cast<WNDPROC>(GetPropW(hwnd, FieldClassProc));
    if (message == WM_NCDESTROY) { // the field's last message: it leaves as it came
        if (auto *form = static_cast<frmSettings *>(boundTo(GetParent(hwnd))))
            form->m_screenReaders.forget(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc));
        RemovePropW(hwnd, FieldClassProc);
        return CallWindowProcW(classProc, hwnd, message, wParam, lParam);
    }
    // Through the window's binding, which is gone once the form is.
    auto *form = static_cast<frmSettings *>(boundTo(GetParent(hwnd)));
    if (message == WM_GETOBJECT && form) {
        LRESULT object = 0;
        form->m_guard.run([&] { object = form->m_screenReaders.answer(hwnd, wParam, lParam); });
        if (object)
            return object;
    }
    const LRESULT result = CallWindowProcW(classProc, hwnd, message, wParam, lParam);
    if (message == WM_KILLFOCUS && form)
        form->m_guard.run([&] { form->onFieldLosesFocus(reinterpret_cast<HWND>(wParam)); });
    return result;
}

void frmSettings::onFieldLosesFocus(HWND next)
{
    if (m_controller) // none yet while a failed creation is undone
        m_controller->fieldLostFocus(!m_closing && next && IsChild(m_hwnd, next));
}

void frmSettings::onCommand(WPARAM wParam)
{
    const int row = LOWORD(wParam) - FirstControlId;
    if (HIWORD(wParam) != BN_CLICKED || row < 0 || row >= int(ControlCount))
        return; // Enter and Escape arrive here too, as IDOK and IDCANCEL
    if (const int k = Design::Controls[row].switchNumber; k && m_controller)
        m_controller->switchPressed(k);
}

LRESULT frmSettings::onControlColour(UINT message, HDC dc, HWND control)
{
    const Design::Control *design = designFor(control);
    if (!design)
        return DefWindowProcW(m_hwnd, message, WPARAM(dc), LPARAM(control));
    const bool field = control == m_txtFreq && m_view;
    SetTextColor(dc, toColorRef(field ? m_view->frequencyColour() : design->foreground));
    SetBkColor(dc, toColorRef(design->background));
    return reinterpret_cast<LRESULT>(brushFor(design->background));
}

void frmSettings::onPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    const RECT field = fieldRect();
    const int border = borderWidth(m_dpi);
    HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
    for (const DeviceRect &side :
         frameSides({field.left, field.top, field.right, field.bottom}, border)) {
        const RECT at{side.left, side.top, side.right, side.bottom};
        FillRect(dc, &at, frame);
    }
    EndPaint(m_hwnd, &paint);
}

bool frmSettings::onGetDpiScaledSize(WPARAM wParam, LPARAM lParam) const
{
    // The size the window will have at the new scale, so that the rectangle
    // the system then suggests is exactly it, not a scaling of the old frame.
    *reinterpret_cast<SIZE *>(lParam) = windowSizeAt(int(LOWORD(wParam)));
    return true;
}

void frmSettings::onDpiChanged(WPARAM wParam, LPARAM lParam)
{
    // Moved to a monitor of another scale: laid out anew in the rectangle the
    // system suggests, which is the size asked for above.
    const RECT suggested = *reinterpret_cast<const RECT *>(lParam);
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    applyDpi(HIWORD(wParam));
}

void frmSettings::onSystemColoursChanged()
{
    m_brushes.clear(); // made anew in the new colours as the controls ask
    if (m_toolTips)
        SendMessageW(m_toolTips, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmSettings::onActivate(WPARAM wParam)
{
    // A plain window does not remember its focus as a dialog does: keep it,
    // so that coming back puts the caret where it was.
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(m_hwnd, focus))
            m_focusWhenActive = focus;
    } else if (m_focusWhenActive) {
        SetFocus(m_focusWhenActive);
    }
}
