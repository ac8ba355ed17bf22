#include "ui/layout.h"

#include <algorithm>

namespace tidora::ui {

namespace {

using enum ControlId;
using K = ControlKind;

constexpr std::string_view kCleanFormDataHint =
    "Clean Auto-completed form data stored in\rsystem.The data include your name,password and "
    "etc.";

constexpr int kCheckLeft = 5, kCheckWidth = 199, kCheckHeight = 20;
constexpr int CheckTop(int row) {
  return 24 + 27 * row;
}
constexpr int RepairTop(int row) {
  return 22 + 26 * (row - 1);
}

constexpr LayoutRow kMainWindowTable[] = {
    // The frame's own buttons.
    {kFrameControlBox, K::kFrameButton, kMainWindow, 6, 5, 20, 18, "System Menu"},
    {kFrameMinimize, K::kFrameButton, kMainWindow, 683, 5, 20, 18, "Minimize"},
    {kFrameClose, K::kFrameButton, kMainWindow, 706, 5, 20, 18, "Close"},

    // Navigation column and top-right buttons.
    {bntTraceCleaner, K::kNavButton, kMainWindow, 53, 119, 110, 41, "Trace Cleaner",
     "Protect your privacy and improve\ryour computer performance by clean\runwanted information "
     "and files"},
    {bntIERepair, K::kNavButton, kMainWindow, 53, 194, 110, 41, "Repair Expert",
     "Repair some problems of IE and Windows\rcaused by some violent code from internet"},
    {bntToolsMenu, K::kNavButton, kMainWindow, 53, 269, 110, 41, "Tools&&Menu",
     "Custom your IE Extend Menu and Tools items"},
    {bntClose, K::kNavButton, kMainWindow, 53, 420, 110, 41, "   Close         ", "Close Tidora"},
    {bntAbout, K::kButton, kMainWindow, 617, 36, 55, 28, "About", "Display Tidora information",
     false, TextStyle::kBold},
    {bntHelp, K::kButton, kMainWindow, 673, 36, 55, 28, "Help", "Display Tidora Help", false,
     TextStyle::kBold},

    // Trace Cleaner panel.
    {CleanItems, K::kPanel, kMainWindow, 198, 90, 529, 398, "Trace Cleaner"},
    {suiPageControl1, K::kPageControl, CleanItems, 6, 32, 517, 300, ""},
    {suiTabSheet1, K::kTabSheet, suiPageControl1, 0, 0, 0, 0, "            Browser            "},
    {suiGroupBox2, K::kGroupBox, suiTabSheet1, 41, 8, 205, 250, "Internet Explorer "},
    {IEABH, K::kCheckBox, suiGroupBox2, kCheckLeft, CheckTop(0), kCheckWidth, kCheckHeight,
     "Address Bar History",
     "Clean the list of recently visited\rwebsites from Internet Explorer address bar", true},
    {IETIF, K::kCheckBox, suiGroupBox2, kCheckLeft, CheckTop(1), kCheckWidth, kCheckHeight,
     "Temporary Internet Files Folder",
     "Clean the folder where the Internet Explorer\rstored the web pages that you visited recently",
     true},
    {IECookies, K::kCheckBox, suiGroupBox2, kCheckLeft, CheckTop(2), kCheckWidth, kCheckHeight,
     "Cookies",
     "Clean all cookies.What is cookies?\rCookies is some files that store your\rinteration with "
     "web sites",
     true},
    {IEAFD, K::kCheckBox, suiGroupBox2, kCheckLeft, CheckTop(3), kCheckWidth, kCheckHeight,
     "AutoComplete Form Data", kCleanFormDataHint, true},
    {IEHistory, K::kCheckBox, suiGroupBox2, kCheckLeft, CheckTop(4), kCheckWidth, kCheckHeight,
     "History(Visited Sites)",
     "Clean your visited recently web sites history record\rYou can see this record When you click "
     "History\ron the Internet Explorer Toolbar",
     true},
    {IEBleachIndex, K::kCheckBox, suiGroupBox2, kCheckLeft, CheckTop(5), kCheckWidth, kCheckHeight,
     "Bleach Index.dat",
     "Clean the files where windows stored information\rabout recently used files and visited web "
     "sites",
     true},
    {groupNetscape, K::kGroupBox, suiTabSheet1, 289, 8, 205, 250, "Netscape"},
    {NsCache, K::kCheckBox, groupNetscape, kCheckLeft, CheckTop(0), kCheckWidth, kCheckHeight,
     "Cache",
     "Delete the folder where netscape stored web page files\rthat you recently visited web sites",
     true},
    {NsAddressBar, K::kCheckBox, groupNetscape, kCheckLeft, CheckTop(1), kCheckWidth, kCheckHeight,
     "Address Bar ", "Clean the list of recently visited\rwebsites from Netscape address bar",
     true},
    {NsCookies, K::kCheckBox, groupNetscape, kCheckLeft, CheckTop(2), kCheckWidth, kCheckHeight,
     "Cookies",
     "Deletes all cookies. Cookies is small file that store\rinformation about your interation "
     "with web site",
     true},
    {NsHistory, K::kCheckBox, groupNetscape, kCheckLeft, CheckTop(3), kCheckWidth, kCheckHeight,
     "History(Visited Sites)",
     "Clean your visited recently web sites history record\rYou can see this record When you click "
     "History\ron the Go menu item",
     true},
    {NsAutoForm, K::kCheckBox, groupNetscape, kCheckLeft, CheckTop(4), kCheckWidth, kCheckHeight,
     "Auto Complete Form Data", kCleanFormDataHint, true},

    {suiTabSheet2, K::kTabSheet, suiPageControl1, 0, 0, 0, 0, "         Windows          "},
    {groupOffice, K::kGroupBox, suiTabSheet2, 41, 8, 205, 250, "Microsoft Office"},
    {MSWord, K::kCheckBox, groupOffice, kCheckLeft, CheckTop(0), kCheckWidth, kCheckHeight,
     "Microsoft Word",
     "Deletes the Windows Stored list of files that you\rrecently opened or saved in Word", true},
    {MSExcel, K::kCheckBox, groupOffice, kCheckLeft, CheckTop(1), kCheckWidth, kCheckHeight,
     "Microsoft Excel",
     "Deletes the Windows Stored list of files that you\rrecently opened or saved in Excel", true},
    {MSPowerPoint, K::kCheckBox, groupOffice, kCheckLeft, CheckTop(2), kCheckWidth, kCheckHeight,
     "Microsoft PowerPoint",
     "Deletes the Windows Stored list of files that you\rrecently opened or saved in PowerPoint",
     true},
    {MSPhotoEditor, K::kCheckBox, groupOffice, kCheckLeft, CheckTop(3), kCheckWidth, kCheckHeight,
     "Microsoft Photo Editor",
     "Deletes the Windows Stored list of files that you\rrecently opened or saved in PhotoEditor",
     true},
    {MSOutlook, K::kCheckBox, groupOffice, kCheckLeft, CheckTop(4), kCheckWidth, kCheckHeight,
     "Microsoft Outlook",
     "Deletes the Windows Stored list of files that you\rrecently opened or saved in Outlook",
     true},
    {MSAccess, K::kCheckBox, groupOffice, kCheckLeft, CheckTop(5), kCheckWidth, kCheckHeight,
     "Microsoft Access",
     "Deletes the Windows Stored list of files that you\rrecently opened or saved in Access", true},
    {MSFrontPage, K::kCheckBox, groupOffice, kCheckLeft, CheckTop(6), kCheckWidth, kCheckHeight,
     "Microsfot FrontPage",
     "Deletes the Windows Stored list of files that you\rrecently opened or saved in FrontPage",
     true},
    {MSOfficeRecent, K::kCheckBox, groupOffice, kCheckLeft, CheckTop(7), kCheckWidth, kCheckHeight,
     "Microsoft Office Recent Files",
     "Deletes the recent file copies that Office\rbackup automatically", true},
    {suiGroupBox3, K::kGroupBox, suiTabSheet2, 289, 8, 205, 250, "Windows"},
    {WinDocumentHistory, K::kCheckBox, suiGroupBox3, kCheckLeft, CheckTop(0), kCheckWidth,
     kCheckHeight, "Document History",
     "Deletes the list of files that you open recently.\rYou can see it when you click Start and "
     "point to Documents",
     true},
    {WinRunHistory, K::kCheckBox, suiGroupBox3, kCheckLeft, CheckTop(1), kCheckWidth, kCheckHeight,
     "Run History",
     "Deletes the list of files that you recently entered in.\rthe Run Window. You must restart "
     "Windows to completely\rdelete running history",
     true},
    {WinFindSearch, K::kCheckBox, suiGroupBox3, kCheckLeft, CheckTop(2), kCheckWidth, kCheckHeight,
     "Find && Search History",
     "Deletes the list of files that stored your recent\rsearch history in your computer", true},
    {WinTFD, K::kCheckBox, suiGroupBox3, kCheckLeft, CheckTop(3), kCheckWidth, kCheckHeight,
     "Temporary Files Directory", "Deletes all files that store in your computer temporary folder",
     true},
    {WinSTF, K::kCheckBox, suiGroupBox3, kCheckLeft, CheckTop(4), kCheckWidth, kCheckHeight,
     "Scan Disk Temp Files",
     "Deletes all *.tmp files that store in your system driver\rExample c:,It will make for a "
     "while, please be patient",
     false},
    {WinRecycleBin, K::kCheckBox, suiGroupBox3, kCheckLeft, CheckTop(5), kCheckWidth, kCheckHeight,
     "Recycle Bin", "Deletes all files in RecycleBin", true},
    {WinClipboard, K::kCheckBox, suiGroupBox3, kCheckLeft, CheckTop(6), kCheckWidth, kCheckHeight,
     "Clipboard", "Clean the data that store in system clipboard now", true},
    {bntCleanNow, K::kButton, CleanItems, 412, 338, 84, 32, "Start"},

    // Result panel.
    {CleanResult, K::kPanel, kMainWindow, 198, 90, 529, 400, "Cleaning"},
    {ResultLabel, K::kLabel, CleanResult, 17, 30, 120, 18, "Result:", {}, false, TextStyle::kBold},
    {sgResultList, K::kGrid, CleanResult, 15, 53, 505, 245, ""},
    {ProgressLabel,
     K::kLabel,
     CleanResult,
     15,
     310,
     78,
     18,
     "Progress:",
     {},
     false,
     TextStyle::kBold},
    {CleanResultProgressBar, K::kProgressBar, CleanResult, 96, 312, 422, 12, ""},
    {TotalLabel,
     K::kLabel,
     CleanResult,
     15,
     342,
     150,
     18,
     "Total Files/Entries:",
     {},
     false,
     TextStyle::kBold},
    {TotalResult, K::kLabel, CleanResult, 167, 342, 120, 18, "0", {}, false, TextStyle::kBold},
    {bntStopFinish, K::kButton, CleanResult, 412, 338, 84, 32, "Stop"},

    // Repair panel; the Internet Explorer options in tab order, which puts row 10 before row 9.
    {IERepare, K::kPanel, kMainWindow, 198, 90, 529, 400, "Repair Expert"},
    {suiGroupBox1, K::kGroupBox, IERepare, 22, 33, 240, 293, "Internet Explorer "},
    {IER_RestoreRegistryTools, K::kCheckBox, suiGroupBox1, 3, RepairTop(1), 235, 22,
     "Restore the Registry Tools to enabled",
     "Some violent code let you can not use the\rRegistry tools. This option enable Registry "
     "tools again.",
     true, TextStyle::kCompact},
    {IER_RestoreCaption, K::kCheckBox, suiGroupBox1, 3, RepairTop(2), 235, 22,
     "Restore the Caption to blank", "Restore your Internet Explorer caption to blank.", true,
     TextStyle::kCompact},
    {IER_RestoreStartPage, K::kCheckBox, suiGroupBox1, 3, RepairTop(3), 235, 22,
     "Restore the HomePage to blank page",
     "This option will set your Internet Explorer\rHome Page to blank page", true,
     TextStyle::kCompact},
    {IER_RestoreDefaultAddress, K::kCheckBox, suiGroupBox1, 3, RepairTop(4), 235, 22,
     "Restore the default address to system",
     "You can see Default Adrress from Menu Options->\rGeneral Tab->Default Adrress.This option "
     "reset the adrress to\rInternet Explorer original adrress.",
     true, TextStyle::kCompact},
    {IER_RestoreOptions, K::kCheckBox, suiGroupBox1, 3, RepairTop(5), 235, 22,
     "Restore the Internet Option Item to Usable",
     "Some violent code disable your Options menu item\rThis opiton enable the Options menu item.",
     true, TextStyle::kCompact},
    {IER_RestoreRightButton, K::kCheckBox, suiGroupBox1, 3, RepairTop(6), 235, 22,
     "Restore the right-click menu",
     "Some violent code disable your Internet\rExplorer Right Button Menu. This option will "
     "enable it.",
     true, TextStyle::kCompact},
    {IER_RestoreViewSource, K::kCheckBox, suiGroupBox1, 3, RepairTop(7), 235, 22,
     "Restore the View Source menu item",
     "Some violent code diable your Source File\rmenu item. This option enable it.", true,
     TextStyle::kCompact},
    {IER_RestoreHomePage, K::kCheckBox, suiGroupBox1, 3, RepairTop(8), 235, 22,
     "Restore the HomePage to enabled",
     "Some violent code disable HomePage group in the\rGeneral tab of Options Window. This option "
     "will enable it.",
     true, TextStyle::kCompact},
    {IER_RestoreRestart, K::kCheckBox, suiGroupBox1, 3, RepairTop(10), 235, 22,
     "Restore windows restart problem ",
     "Some voilent code may let your windows open Internet\rExplorer and visit special web "
     "site.This will solve it and\rdo more to protect your Internet Explorer.",
     true, TextStyle::kCompact},
    {IER_RestoreSearchEngine, K::kCheckBox, suiGroupBox1, 3, RepairTop(9), 235, 22,
     "Restore IE's search engine",
     "Some violent code change Internet Explorer\rSearch Engine. This option will reset it to "
     "original value.",
     true, TextStyle::kCompact},
    {suiGroupBox6, K::kGroupBox, IERepare, 287, 33, 224, 293, "Windows"},
    {IER_RestoreTaskBar, K::kCheckBox, suiGroupBox6, 10, RepairTop(1), 208, 22,
     "Restore Windows TaskBar",
     "Some code may disable Windows TaskBar. It let Windows\rTaskBar diapear. This option enable "
     "it.",
     true},
    {IER_RestoreShutDown, K::kCheckBox, suiGroupBox6, 10, RepairTop(2), 208, 22,
     "Restore ShutDown Item",
     "When you found the ShutDown item in the Start has\rdisappeared. Check this option,it will "
     "help your.",
     true},
    {IER_RestoreLogOff, K::kCheckBox, suiGroupBox6, 10, RepairTop(3), 208, 22,
     "Restore LogOff Item",
     "When you found the LogOff item in the Start has\rdisappeared. Check this option,it will help "
     "your.",
     true},
    {IER_RestoreRun, K::kCheckBox, suiGroupBox6, 10, RepairTop(4), 208, 22, "Restore Run Item",
     "When you found the Run item in the Start has\rdisappeared. Check this option,it will help "
     "your.",
     true},
    {IER_RestoreFind, K::kCheckBox, suiGroupBox6, 10, RepairTop(5), 208, 22, "Restore Find Item",
     "When you found the Find item in the Start has\rdisappeared. Check this option,it will help "
     "your.",
     true},
    {IER_RestoreDocument, K::kCheckBox, suiGroupBox6, 10, RepairTop(6), 208, 22,
     "Restore Documents Item",
     "When you found the Documents item in the Start has\rdisappeared. Check this option,it will "
     "help your.",
     true},
    {IER_RestoreFavorites, K::kCheckBox, suiGroupBox6, 10, RepairTop(7), 208, 22,
     "Restore Favorites Item",
     "When you found the Favorites item in the Start has\rdisappeared. Check this option,it will "
     "help your.",
     true},
    {IER_RestoreDeskTop, K::kCheckBox, suiGroupBox6, 10, RepairTop(8), 208, 22, "Restore DeskTop",
     "If you found your DeskTop is disappear. This option\rwill help you.", true},
    {RepairProgressLabel,
     K::kLabel,
     IERepare,
     16,
     345,
     70,
     18,
     "Progress:",
     {},
     false,
     TextStyle::kBold},
    {RepairProgressBar, K::kProgressBar, IERepare, 88, 348, 289, 12, ""},
    {IER_Restore, K::kButton, IERepare, 412, 338, 84, 32, "Repare"},

    // Extension panel.
    {ToolsMenuWizard, K::kPanel, kMainWindow, 198, 90, 529, 400,
     "Micorsoft Internet Explorer Tools&&Menu Itmes"},
    {ExtendMenuLabel,
     K::kLabel,
     ToolsMenuWizard,
     81,
     52,
     330,
     18,
     "Mouse Right-Button Extend Menu Items",
     {},
     false,
     TextStyle::kBold},
    {ExtendMenuitems, K::kCheckList, ToolsMenuWizard, 112, 73, 297, 90, "",
     "Select the item you want to delete "},
    {ExtendToolsLabel,
     K::kLabel,
     ToolsMenuWizard,
     81,
     174,
     330,
     18,
     "Extend Tools&&Menu Items",
     {},
     false,
     TextStyle::kBold},
    {ExtendToolsItems, K::kCheckList, ToolsMenuWizard, 112, 200, 297, 129, "",
     "Select the items you want to delete"},
    {ToolsMenuDelete, K::kButton, ToolsMenuWizard, 412, 338, 84, 32, "Delete"},

    // About panel.
    {groupAbout, K::kPanel, kMainWindow, 198, 91, 529, 398, "About"},
    {AboutLogo, K::kPicture, groupAbout, 21, 40, 350, 65, "Tidora"},
    {AboutVersion,
     K::kLabel,
     groupAbout,
     38,
     124,
     200,
     18,
     "Version 2.04",
     {},
     false,
     TextStyle::kNavy},
    {AboutText, K::kLabel, groupAbout, 38, 160, 450, 120,
     "Tidora erases the traces that browsing and everyday work leave on this PC, repairs "
     "browser and Windows settings that hostile pages and programs change, and removes unwanted "
     "browser menu extensions.\r\rIt touches nothing but the places it is meant to clean."},
};

constexpr LayoutRow kSplashWindowTable[] = {
    {LabelLoading,
     K::kLabel,
     kSplashWindow,
     136,
     81,
     150,
     20,
     "Loading",
     {},
     false,
     TextStyle::kLoading},
    {LoadProgressBar, K::kProgressBar, kSplashWindow, 21, 115, 321, 17, ""},
};

}  // namespace

std::span<const LayoutRow> MainWindowControls() {
  return kMainWindowTable;
}

std::span<const LayoutRow> SplashWindowControls() {
  return kSplashWindowTable;
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
