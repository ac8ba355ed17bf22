#pragma once

namespace tidora::ui {

// Stable identifiers of every control: the Win32 control IDs too, so that screen readers and
// UI tests can rely on them across versions. Append only; never renumber.
enum class ControlId : int {
  kNone = 0,

  // Windows.
  kMainWindow = 100,
  kSplashWindow,
  kDetailsWindow,   // the refused and skipped rule entries, as plain text
  DetailsText,      // its read-only text
  kKeepListWindow,  // "Cookies to keep": a modal editor of the cookie keep-list
  KeepList,         // the domains kept
  bntKeepRemove,    // "Remove": drops the selected domain
  FoundHosts,       // the cookie hosts found on this PC
  bntKeepFound,     // "Keep": adds the selected host
  DomainEdit,       // a domain typed by the user
  bntKeepAdd,       // "Add": adds the typed domain
  bntKeepSave,      // "Save"
  bntKeepCancel,    // "Cancel"

  // The frame suiForm1.
  kFrameControlBox = 200,
  kFrameMinimize,
  kFrameClose,

  // Navigation and the top-right buttons.
  bntTraceCleaner = 300,
  bntIERepair,
  bntToolsMenu,
  bntClose,
  bntAbout,
  bntHelp,

  // Panels.
  CleanItems = 400,
  CleanResult,
  IERepare,
  ToolsMenuWizard,
  groupAbout,

  // Trace Cleaner panel.
  suiPageControl1 = 500,
  suiTabSheet1,
  suiTabSheet2,
  suiGroupBox2,
  groupNetscape,
  groupOffice,
  suiGroupBox3,
  bntCleanNow,
  bntPreview,
  suiTabSheet3,      // Applications
  AppTree,           // the rule entries found on this PC, by group, with check boxes
  AppStatusLabel,    // what the rule loading found, under the tree
  bntAppDetails,     // "Details…": opens kDetailsWindow
  bntCookiesToKeep,  // "Cookies to keep…": opens kKeepListWindow

  IEABH = 600,
  IETIF,
  IECookies,
  IEAFD,
  IEHistory,
  IEBleachIndex,
  NsCache,
  NsAddressBar,
  NsCookies,
  NsHistory,
  NsAutoForm,

  WinDocumentHistory = 700,
  WinRunHistory,
  WinFindSearch,
  WinTFD,
  WinSTF,
  WinRecycleBin,
  WinClipboard,
  MSWord,
  MSExcel,
  MSPowerPoint,
  MSPhotoEditor,
  MSOutlook,
  MSAccess,
  MSFrontPage,
  MSOfficeRecent,

  // Result panel.
  ResultLabel = 800,
  ProgressLabel,
  TotalLabel,
  sgResultList,
  CleanResultProgressBar,
  TotalResult,
  bntStopFinish,
  TotalSize,  // the bytes of the files a preview would remove, or a run removed

  // Repair panel.
  suiGroupBox1 = 900,
  suiGroupBox6,
  RepairProgressLabel,
  RepairProgressBar,
  IER_Restore,

  IER_RestoreRegistryTools = 1000,
  IER_RestoreCaption,
  IER_RestoreStartPage,
  IER_RestoreDefaultAddress,
  IER_RestoreOptions,
  IER_RestoreHomePage,
  IER_RestoreRestart,
  IER_RestoreRightButton,
  IER_RestoreViewSource,
  IER_RestoreSearchEngine,
  IER_RestoreTaskBar,
  IER_RestoreShutDown,
  IER_RestoreLogOff,
  IER_RestoreRun,
  IER_RestoreFind,
  IER_RestoreDocument,
  IER_RestoreFavorites,
  IER_RestoreDeskTop,

  // Extension panel.
  ExtendMenuLabel = 1100,
  ExtendMenuitems,
  ExtendToolsLabel,
  ExtendToolsItems,
  ToolsMenuDelete,
  ExtendToolsNote,  // after a Delete: how many ticked entries only an administrator can delete

  // About panel.
  AboutLogo = 1200,
  AboutVersion,
  AboutText,

  // Splash window.
  LabelLoading = 1300,
  LoadProgressBar,
};

}  // namespace tidora::ui
