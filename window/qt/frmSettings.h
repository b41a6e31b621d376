#pragma once

#include "design.h"
#include "eventguard.h"
#include "tuningrecord.h"

#include <QIcon>
#include <QMetaObject>
#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class SettingsController;
class QKeyEvent;
class SwitchHousing;
class SwitchPicture;
class WidgetView;

// The settings window: the frequency field, the instruction text and the
// DIP switch block, built from the window's design. What an input means is
// SettingsController's and the design's; this class turns the controls'
// events into their calls and shows what they answer.
class frmSettings : public QWidget
{
    Q_OBJECT

public:
    // Errors that escape the window's events go to the guard.
    explicit frmSettings(EventGuard &guard, QWidget *parent = nullptr);
    ~frmSettings() override;

    // The lamp at every size the program carries.
    static QIcon icon();

    // The load event: call once, before the window is first shown.
    void load();

private:
    SwitchPicture *pic(int k) const { return m_pics.at(std::size_t(k - 1)); }
    bool switchKey(int k, const QKeyEvent *event);
    void buildWindow();
    void applyColours();
    void buildControl(const Design::Control &design);
    void bindEvents();
    void onFocusChanged(QWidget *old, QWidget *now);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void paintSwitchBlock();

    EventGuard &m_guard;
    QLineEdit *m_txtFreq = nullptr;
    SwitchHousing *m_picDIP_SW = nullptr;
    std::array<SwitchPicture *, SwitchCount> m_pics{};
    QLabel *m_Description = nullptr;
    std::unique_ptr<WidgetView> m_view;
    std::unique_ptr<SettingsController> m_controller;
    QMetaObject::Connection m_focusConnection;
    bool m_painted = false;
};
