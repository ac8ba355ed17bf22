#include "cleaning/cleaning_items.h"

namespace tidora::cleaning {

namespace {

using enum ui::ControlId;
using enum CleanerId;
constexpr auto kAfter = RowMode::kRowAfter;
constexpr auto kPending = RowMode::kPendingRow;
constexpr auto kResult = CountRule::kResult;
constexpr auto kOneIfDone = CountRule::kOneIfDone;
constexpr auto kBrowser = Block::kInternetExplorer;

// Read top to bottom as the run works. A cleaner without a row in the joined table would be
// skipped as if unticked, its step still added, so that no row claims a cleaning that did not
// happen. The Recycle Bin, clipboard and history cleaners return 1 when done and 0 when they
// failed, and their rows count that.
constexpr CleaningItem kItems[] = {
    {IEABH, "Internet Explorer Address Bar History", kAfter, kResult, kTypedUrls, 4, kBrowser},
    {IETIF, "Internet Explorer Temporary Files Folder", kPending, kResult, kTemporaryInternetFiles,
     4, kBrowser},
    {IECookies, "Internet Explorer Cookies", kPending, kResult, kInternetExplorerCookies, 4,
     kBrowser},
    {IEAFD, "Internet Explorer Auto-Complete Form Data", kAfter, kResult, kAutoCompleteData, 4,
     kBrowser},
    {IEHistory, "Internet Explorer Visited Website History", kAfter, kOneIfDone, kUrlHistory, 4,
     kBrowser},
    {IEBleachIndex, "Internet Explorer Visited in index.dat", kAfter, kResult, kVisitedIndex, 4,
     kBrowser},
    {groupNetscape, "About Netscape", kPending, kResult, kNetscapeMozilla, 20, Block::kNetscape},
    {WinDocumentHistory, "Windows Recent Documents", kAfter, kResult, kRecentDocuments, 4},
    {WinRunHistory, "Windows Run History", kAfter, kResult, kRunHistory, 4},
    {WinFindSearch, "Windows Find&Search History", kAfter, kResult, kFindHistory, 4},
    {WinTFD, "Windows Tempory Files Directory", kAfter, kResult, kTempFolder, 4},
    {WinSTF, "Windows Scan System Disk Temp Files ", kPending, kResult, kSystemDiskTempFiles, 4},
    {WinRecycleBin, "Windows Recycle Bin", kAfter, kOneIfDone, kRecycleBin, 4},
    {WinClipboard, "Windows Clipboard", kAfter, kOneIfDone, kClipboard, 4},
    {MSWord, "Micorsoft Office Word", kAfter, kResult, kOfficeWord, 4, Block::kOffice},
    {MSExcel, "Micorsoft Office Excel", kAfter, kResult, kOfficeExcel, 4, Block::kOffice},
    {MSPowerPoint, "Micorsoft Office PowerPoint", kAfter, kResult, kOfficePowerPoint, 4,
     Block::kOffice},
    {MSPhotoEditor, "Micorsoft Office PhotoEditor", kAfter, kResult, kPhotoEditor, 4,
     Block::kOffice},
    {MSOutlook, "Micorsoft Office Outlook", kAfter, kResult, kOfficeOutlook, 4, Block::kOffice},
    {MSAccess, "Micorsoft Office Access", kAfter, kResult, kOfficeAccess, 4, Block::kOffice},
    {MSFrontPage, "Micorsoft Office FrontPage", kAfter, kResult, kOfficeFrontPage, 4,
     Block::kOffice},
    {MSOfficeRecent, "Micorsoft Office Recent Backup Files", kAfter, kResult, kOfficeRecentFolder,
     0, Block::kOffice},
};

}  // namespace

std::span<const CleaningItem> CleaningItems() {
  return kItems;
}

}  // namespace tidora::cleaning
