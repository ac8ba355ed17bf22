#include "ui/layout.h"

#include <algorithm>

#include "base/version.h"

namespace tidora::ui {

namespace {

using enum ControlId;
using K = ControlKind;
using S = TextStyle;

constexpr bool kTicked = true;
constexpr bool kUnticked = false;

// Every panel's action button stands in the same place, bottom right: Start, Stop, Repare, Delete.
constexpr Place kPanelButton{412, 338, 84, 32};
constexpr Place kPanelArea{198, 90, 529, 400};

// The cleaning checkboxes stand in one column per group box.
constexpr Place CheckRow(int row) {
  return {5, 24 + 27 * row, 199, 20};
}
// The repair options, a column per group box, rows counted from 1.
constexpr Place IeRepairRow(int row) {
  return {3, 22 + 26 * (row - 1), 235, 22};
}
constexpr Place WindowsRepairRow(int row) {
  return {10, 22 + 26 * (row - 1), 208, 22};
}

constexpr std::string_view kAboutText =
    "Tidora erases the traces that browsing and everyday work leave on this PC, repairs browser "
    "and Windows settings that hostile pages and programs change, and removes unwanted browser "
    "menu extensions.\r\rIt touches nothing but the places it is meant to clean.";

// clang-format off
constexpr LayoutRow kMainWindowTable[] = {
    // id                        kind             parent           place                   caption                                           ticked     style
    // The frame's own buttons.
    {kFrameControlBox,          K::kFrameButton, kMainWindow,     {6, 5, 20, 18},         "System Menu"},
    {kFrameMinimize,            K::kFrameButton, kMainWindow,     {683, 5, 20, 18},       "Minimize"},
    {kFrameClose,               K::kFrameButton, kMainWindow,     {706, 5, 20, 18},       "Close"},

    // Navigation column and top-right buttons.
    {bntTraceCleaner,           K::kNavButton,   kMainWindow,     {53, 119, 110, 41},     "Trace Cleaner"},
    {bntIERepair,               K::kNavButton,   kMainWindow,     {53, 194, 110, 41},     "Repair Expert"},
    {bntToolsMenu,              K::kNavButton,   kMainWindow,     {53, 269, 110, 41},     "Tools&&Menu"},
    {bntClose,                  K::kNavButton,   kMainWindow,     {53, 420, 110, 41},     "   Close         "},
    {bntAbout,                  K::kButton,      kMainWindow,     {617, 36, 55, 28},      "About",                                          kUnticked, S::kBold},
    {bntHelp,                   K::kButton,      kMainWindow,     {673, 36, 55, 28},      "Help",                                           kUnticked, S::kBold},

    // Trace Cleaner panel: the Browser tab.
    {CleanItems,                K::kPanel,       kMainWindow,     {198, 90, 529, 398},    "Trace Cleaner"},
    {suiPageControl1,           K::kPageControl, CleanItems,      {6, 32, 517, 300},      ""},
    {suiTabSheet1,              K::kTabSheet,    suiPageControl1, {0, 0, 0, 0},           "            Browser            "},
    {suiGroupBox2,              K::kGroupBox,    suiTabSheet1,    {41, 8, 205, 250},      "Internet Explorer "},
    {IEABH,                     K::kCheckBox,    suiGroupBox2,    CheckRow(0),            "Address Bar History",                            kTicked},
    {IETIF,                     K::kCheckBox,    suiGroupBox2,    CheckRow(1),            "Temporary Internet Files Folder",                kTicked},
    {IECookies,                 K::kCheckBox,    suiGroupBox2,    CheckRow(2),            "Cookies",                                        kTicked},
    {IEAFD,                     K::kCheckBox,    suiGroupBox2,    CheckRow(3),            "AutoComplete Form Data",                         kTicked},
    {IEHistory,                 K::kCheckBox,    suiGroupBox2,    CheckRow(4),            "History(Visited Sites)",                         kTicked},
    {IEBleachIndex,             K::kCheckBox,    suiGroupBox2,    CheckRow(5),            "Bleach Index.dat",                               kTicked},
    {groupNetscape,             K::kGroupBox,    suiTabSheet1,    {289, 8, 205, 250},     "Netscape"},
    {NsCache,                   K::kCheckBox,    groupNetscape,   CheckRow(0),            "Cache",                                          kTicked},
    {NsAddressBar,              K::kCheckBox,    groupNetscape,   CheckRow(1),            "Address Bar ",                                   kTicked},
    {NsCookies,                 K::kCheckBox,    groupNetscape,   CheckRow(2),            "Cookies",                                        kTicked},
    {NsHistory,                 K::kCheckBox,    groupNetscape,   CheckRow(3),            "History(Visited Sites)",                         kTicked},
    {NsAutoForm,                K::kCheckBox,    groupNetscape,   CheckRow(4),            "Auto Complete Form Data",                        kTicked},

    // Trace Cleaner panel: the Windows tab.
    {suiTabSheet2,              K::kTabSheet,    suiPageControl1, {0, 0, 0, 0},           "         Windows          "},
    {groupOffice,               K::kGroupBox,    suiTabSheet2,    {41, 8, 205, 250},      "Microsoft Office"},
    {MSWord,                    K::kCheckBox,    groupOffice,     CheckRow(0),            "Microsoft Word",                                 kTicked},
    {MSExcel,                   K::kCheckBox,    groupOffice,     CheckRow(1),            "Microsoft Excel",                                kTicked},
    {MSPowerPoint,              K::kCheckBox,    groupOffice,     CheckRow(2),            "Microsoft PowerPoint",                           kTicked},
    {MSPhotoEditor,             K::kCheckBox,    groupOffice,     CheckRow(3),            "Microsoft Photo Editor",                         kTicked},
    {MSOutlook,                 K::kCheckBox,    groupOffice,     CheckRow(4),            "Microsoft Outlook",                              kTicked},
    {MSAccess,                  K::kCheckBox,    groupOffice,     CheckRow(5),            "Microsoft Access",                               kTicked},
    {MSFrontPage,               K::kCheckBox,    groupOffice,     CheckRow(6),            "Microsfot FrontPage",                            kTicked},
    {MSOfficeRecent,            K::kCheckBox,    groupOffice,     CheckRow(7),            "Microsoft Office Recent Files",                  kTicked},
    {suiGroupBox3,              K::kGroupBox,    suiTabSheet2,    {289, 8, 205, 250},     "Windows"},
    {WinDocumentHistory,        K::kCheckBox,    suiGroupBox3,    CheckRow(0),            "Document History",                               kTicked},
    {WinRunHistory,             K::kCheckBox,    suiGroupBox3,    CheckRow(1),            "Run History",                                    kTicked},
    {WinFindSearch,             K::kCheckBox,    suiGroupBox3,    CheckRow(2),            "Find && Search History",                         kTicked},
    {WinTFD,                    K::kCheckBox,    suiGroupBox3,    CheckRow(3),            "Temporary Files Directory",                      kTicked},
    {WinSTF,                    K::kCheckBox,    suiGroupBox3,    CheckRow(4),            "Scan Disk Temp Files",                           kUnticked},
    {WinRecycleBin,             K::kCheckBox,    suiGroupBox3,    CheckRow(5),            "Recycle Bin",                                    kTicked},
    {WinClipboard,              K::kCheckBox,    suiGroupBox3,    CheckRow(6),            "Clipboard",                                      kTicked},

    // Trace Cleaner panel: the Applications tab.
    {suiTabSheet3,              K::kTabSheet,    suiPageControl1, {0, 0, 0, 0},           "       Applications       "},
    {AppTree,                   K::kCheckTree,   suiTabSheet3,    {41, 8, 453, 180},      ""},
    {bntCookiesToKeep,          K::kButton,      suiTabSheet3,    {286, 194, 122, 26},    "Cookies to keep\u2026"},
    {bntAppDetails,             K::kButton,      suiTabSheet3,    {414, 194, 80, 26},     "Details\u2026"},
    {AppStatusLabel,            K::kLabel,       suiTabSheet3,    {41, 227, 453, 40},     "Looking for applications\u2026"},
    {bntPreview,                K::kButton,      CleanItems,      {322, 338, 84, 32},     "Preview"},
    {bntCleanNow,               K::kButton,      CleanItems,      kPanelButton,           "Start"},

    // Result panel.
    {CleanResult,               K::kPanel,       kMainWindow,     kPanelArea,             "Cleaning"},
    {ResultLabel,               K::kLabel,       CleanResult,     {17, 30, 120, 18},      "Result:",                                        kUnticked, S::kBold},
    {sgResultList,              K::kGrid,        CleanResult,     {15, 53, 505, 245},     ""},
    {ProgressLabel,             K::kLabel,       CleanResult,     {15, 310, 78, 18},      "Progress:",                                      kUnticked, S::kBold},
    {CleanResultProgressBar,    K::kProgressBar, CleanResult,     {96, 312, 422, 12},     ""},
    {TotalLabel,                K::kLabel,       CleanResult,     {15, 342, 150, 18},     "Total Files/Entries:",                           kUnticked, S::kBold},
    {TotalResult,               K::kLabel,       CleanResult,     {167, 342, 120, 18},    "0",                                              kUnticked, S::kBold},
    {TotalSize,                 K::kLabel,       CleanResult,     {290, 342, 115, 18},    "",                                               kUnticked, S::kBold},
    {bntStopFinish,             K::kButton,      CleanResult,     kPanelButton,           "Stop"},

    // Repair panel; the Internet Explorer options in tab order, which puts row 10 before row 9.
    {IERepare,                  K::kPanel,       kMainWindow,     kPanelArea,             "Repair Expert"},
    {suiGroupBox1,              K::kGroupBox,    IERepare,        {22, 33, 240, 293},     "Internet Explorer "},
    {IER_RestoreRegistryTools,  K::kCheckBox,    suiGroupBox1,    IeRepairRow(1),         "Restore the Registry Tools to enabled",          kTicked,   S::kCompact},
    {IER_RestoreCaption,        K::kCheckBox,    suiGroupBox1,    IeRepairRow(2),         "Restore the Caption to blank",                   kTicked,   S::kCompact},
    {IER_RestoreStartPage,      K::kCheckBox,    suiGroupBox1,    IeRepairRow(3),         "Restore the HomePage to blank page",             kTicked,   S::kCompact},
    {IER_RestoreDefaultAddress, K::kCheckBox,    suiGroupBox1,    IeRepairRow(4),         "Restore the default address to system",          kTicked,   S::kCompact},
    {IER_RestoreOptions,        K::kCheckBox,    suiGroupBox1,    IeRepairRow(5),         "Restore the Internet Option Item to Usable",     kTicked,   S::kCompact},
    {IER_RestoreRightButton,    K::kCheckBox,    suiGroupBox1,    IeRepairRow(6),         "Restore the right-click menu",                   kTicked,   S::kCompact},
    {IER_RestoreViewSource,     K::kCheckBox,    suiGroupBox1,    IeRepairRow(7),         "Restore the View Source menu item",              kTicked,   S::kCompact},
    {IER_RestoreHomePage,       K::kCheckBox,    suiGroupBox1,    IeRepairRow(8),         "Restore the HomePage to enabled",                kTicked,   S::kCompact},
    {IER_RestoreRestart,        K::kCheckBox,    suiGroupBox1,    IeRepairRow(10),        "Restore windows restart problem ",               kTicked,   S::kCompact},
    {IER_RestoreSearchEngine,   K::kCheckBox,    suiGroupBox1,    IeRepairRow(9),         "Restore IE's search engine",                     kTicked,   S::kCompact},
    {suiGroupBox6,              K::kGroupBox,    IERepare,        {287, 33, 224, 293},    "Windows"},
    {IER_RestoreTaskBar,        K::kCheckBox,    suiGroupBox6,    WindowsRepairRow(1),    "Restore Windows TaskBar",                        kTicked},
    {IER_RestoreShutDown,       K::kCheckBox,    suiGroupBox6,    WindowsRepairRow(2),    "Restore ShutDown Item",                          kTicked},
    {IER_RestoreLogOff,         K::kCheckBox,    suiGroupBox6,    WindowsRepairRow(3),    "Restore LogOff Item",                            kTicked},
    {IER_RestoreRun,            K::kCheckBox,    suiGroupBox6,    WindowsRepairRow(4),    "Restore Run Item",                               kTicked},
    {IER_RestoreFind,           K::kCheckBox,    suiGroupBox6,    WindowsRepairRow(5),    "Restore Find Item",                              kTicked},
    {IER_RestoreDocument,       K::kCheckBox,    suiGroupBox6,    WindowsRepairRow(6),    "Restore Documents Item",                         kTicked},
    {IER_RestoreFavorites,      K::kCheckBox,    suiGroupBox6,    WindowsRepairRow(7),    "Restore Favorites Item",                         kTicked},
    {IER_RestoreDeskTop,        K::kCheckBox,    suiGroupBox6,    WindowsRepairRow(8),    "Restore DeskTop",                                kTicked},
    {RepairProgressLabel,       K::kLabel,       IERepare,        {16, 345, 70, 18},      "Progress:",                                      kUnticked, S::kBold},
    {RepairProgressBar,         K::kProgressBar, IERepare,        {88, 348, 289, 12},     ""},
    {IER_Restore,               K::kButton,      IERepare,        kPanelButton,           "Repare"},

    // Extension panel.
    {ToolsMenuWizard,           K::kPanel,       kMainWindow,     kPanelArea,             "Micorsoft Internet Explorer Tools&&Menu Itmes"},
    {ExtendMenuLabel,           K::kLabel,       ToolsMenuWizard, {81, 52, 330, 18},      "Mouse Right-Button Extend Menu Items",           kUnticked, S::kBold},
    {ExtendMenuitems,           K::kCheckList,   ToolsMenuWizard, {112, 73, 297, 90},     ""},
    {ExtendToolsLabel,          K::kLabel,       ToolsMenuWizard, {81, 174, 330, 18},     "Extend Tools&&Menu Items",                       kUnticked, S::kBold},
    {ExtendToolsItems,          K::kCheckList,   ToolsMenuWizard, {112, 200, 297, 129},   ""},
    {ExtendToolsNote,           K::kLabel,       ToolsMenuWizard, {112, 336, 290, 18},    ""},
    {ToolsMenuDelete,           K::kButton,      ToolsMenuWizard, kPanelButton,           "Delete"},

    // About panel.
    {groupAbout,                K::kPanel,       kMainWindow,     {198, 91, 529, 398},    "About"},
    {AboutLogo,                 K::kPicture,     groupAbout,      {21, 40, 350, 65},      "Tidora"},
    {AboutVersion,              K::kLabel,       groupAbout,      {38, 124, 200, 18},     "Version " TIDORA_VERSION,                        kUnticked, S::kNavy},
    {AboutText,                 K::kLabel,       groupAbout,      {38, 160, 450, 120},    kAboutText},
};

constexpr LayoutRow kSplashWindowTable[] = {
    {LabelLoading,              K::kLabel,       kSplashWindow,   {136, 81, 150, 20},     "Loading",                                        kUnticked, S::kLoading},
    {LoadProgressBar,           K::kProgressBar, kSplashWindow,   {21, 115, 321, 17},     ""},
};

constexpr std::string_view kCleanFormDataHint =
    "Clean Auto-completed form data stored in\rsystem.The data include your name,password and etc.";

constexpr HintRow kMainWindowHints[] = {
    {bntTraceCleaner,           "Protect your privacy and improve\ryour computer performance by clean\runwanted information and files"},
    {bntIERepair,               "Repair some problems of IE and Windows\rcaused by some violent code from internet"},
    {bntToolsMenu,              "Custom your IE Extend Menu and Tools items"},
    {bntClose,                  "Close Tidora"},
    {bntAbout,                  "Display Tidora information"},
    {bntHelp,                   "Display Tidora Help"},
    {bntPreview,                "See what Start would remove. Nothing is changed."},

    {IEABH,                     "Clean the list of recently visited\rwebsites from Internet Explorer address bar"},
    {IETIF,                     "Clean the folder where the Internet Explorer\rstored the web pages that you visited recently"},
    {IECookies,                 "Clean all cookies.What is cookies?\rCookies is some files that store your\rinteration with web sites"},
    {IEAFD,                     kCleanFormDataHint},
    {IEHistory,                 "Clean your visited recently web sites history record\rYou can see this record When you click History\ron the Internet Explorer Toolbar"},
    {IEBleachIndex,             "Clean the files where windows stored information\rabout recently used files and visited web sites"},
    {NsCache,                   "Delete the folder where netscape stored web page files\rthat you recently visited web sites"},
    {NsAddressBar,              "Clean the list of recently visited\rwebsites from Netscape address bar"},
    {NsCookies,                 "Deletes all cookies. Cookies is small file that store\rinformation about your interation with web site"},
    {NsHistory,                 "Clean your visited recently web sites history record\rYou can see this record When you click History\ron the Go menu item"},
    {NsAutoForm,                kCleanFormDataHint},

    {MSWord,                    "Deletes the Windows Stored list of files that you\rrecently opened or saved in Word"},
    {MSExcel,                   "Deletes the Windows Stored list of files that you\rrecently opened or saved in Excel"},
    {MSPowerPoint,              "Deletes the Windows Stored list of files that you\rrecently opened or saved in PowerPoint"},
    {MSPhotoEditor,             "Deletes the Windows Stored list of files that you\rrecently opened or saved in PhotoEditor"},
    {MSOutlook,                 "Deletes the Windows Stored list of files that you\rrecently opened or saved in Outlook"},
    {MSAccess,                  "Deletes the Windows Stored list of files that you\rrecently opened or saved in Access"},
    {MSFrontPage,               "Deletes the Windows Stored list of files that you\rrecently opened or saved in FrontPage"},
    {MSOfficeRecent,            "Deletes the recent file copies that Office\rbackup automatically"},
    {WinDocumentHistory,        "Deletes the list of files that you open recently.\rYou can see it when you click Start and point to Documents"},
    {WinRunHistory,             "Deletes the list of files that you recently entered in.\rthe Run Window. You must restart Windows to completely\rdelete running history"},
    {WinFindSearch,             "Deletes the list of files that stored your recent\rsearch history in your computer"},
    {WinTFD,                    "Deletes all files that store in your computer temporary folder"},
    {WinSTF,                    "Deletes all *.tmp files that store in your system driver\rExample c:,It will make for a while, please be patient"},
    {WinRecycleBin,             "Deletes all files in RecycleBin"},
    {WinClipboard,              "Clean the data that store in system clipboard now"},

    {IER_RestoreRegistryTools,  "Some violent code let you can not use the\rRegistry tools. This option enable Registry tools again."},
    {IER_RestoreCaption,        "Restore your Internet Explorer caption to blank."},
    {IER_RestoreStartPage,      "This option will set your Internet Explorer\rHome Page to blank page"},
    {IER_RestoreDefaultAddress, "You can see Default Adrress from Menu Options->\rGeneral Tab->Default Adrress.This option reset the adrress to\rInternet Explorer original adrress."},
    {IER_RestoreOptions,        "Some violent code disable your Options menu item\rThis opiton enable the Options menu item."},
    {IER_RestoreRightButton,    "Some violent code disable your Internet\rExplorer Right Button Menu. This option will enable it."},
    {IER_RestoreViewSource,     "Some violent code diable your Source File\rmenu item. This option enable it."},
    {IER_RestoreHomePage,       "Some violent code disable HomePage group in the\rGeneral tab of Options Window. This option will enable it."},
    {IER_RestoreRestart,        "Some voilent code may let your windows open Internet\rExplorer and visit special web site.This will solve it and\rdo more to protect your Internet Explorer."},
    {IER_RestoreSearchEngine,   "Some violent code change Internet Explorer\rSearch Engine. This option will reset it to original value."},
    {IER_RestoreTaskBar,        "Some code may disable Windows TaskBar. It let Windows\rTaskBar diapear. This option enable it."},
    {IER_RestoreShutDown,       "When you found the ShutDown item in the Start has\rdisappeared. Check this option,it will help your."},
    {IER_RestoreLogOff,         "When you found the LogOff item in the Start has\rdisappeared. Check this option,it will help your."},
    {IER_RestoreRun,            "When you found the Run item in the Start has\rdisappeared. Check this option,it will help your."},
    {IER_RestoreFind,           "When you found the Find item in the Start has\rdisappeared. Check this option,it will help your."},
    {IER_RestoreDocument,       "When you found the Documents item in the Start has\rdisappeared. Check this option,it will help your."},
    {IER_RestoreFavorites,      "When you found the Favorites item in the Start has\rdisappeared. Check this option,it will help your."},
    {IER_RestoreDeskTop,        "If you found your DeskTop is disappear. This option\rwill help you."},

    {ExtendMenuitems,           "Select the item you want to delete "},
    {ExtendToolsItems,          "Select the items you want to delete"},
};
// clang-format on

}  // namespace

std::span<const LayoutRow> MainWindowControls() {
  return kMainWindowTable;
}

std::span<const LayoutRow> SplashWindowControls() {
  return kSplashWindowTable;
}

std::span<const HintRow> MainWindowHints() {
  return kMainWindowHints;
}

const LayoutRow* FindLayoutRow(ControlId id) {
  for (auto controls : {MainWindowControls(), SplashWindowControls()}) {
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [id](const LayoutRow& entry) { return entry.id == id; });
    if (found != controls.end()) return &*found;
  }
  return nullptr;
}

}  // namespace tidora::ui
