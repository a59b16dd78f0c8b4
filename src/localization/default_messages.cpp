#include "localization/default_messages.h"

#include "localization/cls_languages.h"
#include "localization/message_keys.h"

namespace localization {

const DefaultMessage kDefaultMessages[86] = {
    {localization::msg::kThank1, "Thank you for using [ProgramName]!"},
    {localization::msg::kThank2,
     "Because this is the first time you have used [ProgramName] we recommend running Live Update "
     "now to download the most recent adware and spyware definitions."},
    {localization::msg::kThank3, "Would you like to run Live Update now?"},
    {localization::msg::kThank4, "Update Now?"},
    {localization::msg::kMissing,
     "Definition files are missing or they have been corrupted. Please run Live Update."},
    {localization::msg::kPaused, "[ProgramName] has been paused.  Click OK to resume."},
    {localization::msg::kSure, "Are you sure?"},
    {localization::msg::kExclude1, "No exclusion file exists yet."},
    {localization::msg::kExclude2, "No Exclusion File"},
    {localization::msg::kInternet,
     "Definitions could not be downloaded. Please check your internet connection."},
    {localization::msg::kAnon1,
     "By sending anonymous data you can help us identify new spyware more quickly."},
    {localization::msg::kAnon2,
     "No personal information is collected, the only information sent is executable names that are "
     "currently loaded into memory."},
    {localization::msg::kAnon3, "Do you really want to turn off anonymous data collection?"},
    {localization::msg::kAnon4, "Really turn off anonymous data collection?"},
    {localization::msg::kSorry, "Sorry, there are no entries to be excluded."},
    {localization::msg::kSorry2, "Sorry, there are no entries to be deleted."},
    {localization::msg::kExcSure1, "Are you sure you want to exclude the selected files?"},
    {localization::msg::kExcSure2,
     "Excluded files will not show up as Adware/Spyware on future scans."},
    {localization::msg::kExcSure3,
     "You can edit the list of excluded files through the Quarantine menu."},
    {localization::msg::kExcSure4, "Really Exclude?"},
    {localization::msg::kDate, "Please select the date that you want to scan."},
    {localization::msg::kStop, "Are you sure you want to stop the scan?"},
    {localization::msg::kSelected,
     "No entries are selected.  You must check the box next to at least one item in the list."},
    {localization::msg::kConfirm1, "Are you sure you want to delete the selected files?"},
    {localization::msg::kConfirm2,
     "Deleted files will be backed up in the following folder in case you need to recover them:"},
    {localization::msg::kConfirm3,
     "In addition, a System Restore Point will be created using Windows System Restore, accessible "
     "through:"},
    {localization::msg::kConfirm4,
     "Start > Programs > Accessories > System Tools > System Restore"},
    {localization::msg::kErrorStopped,
     "could not be stopped.  You should try again after saving your work and closing any open "
     "applications."},
    {localization::msg::kFound1, "[ProgramName] has found ["},
    {localization::msg::kFound2, "] using you system memory. Click YES to stop ["},
    {localization::msg::kFound3, "] from using your system memory. Otherwise click No."},
    {localization::msg::kClosing,
     "Closing [ProgramName] may leave your system vulnerable to malicious programs. Are you sure "
     "you want to exit?"},
    {localization::msg::kReally, "Really Delete?"},
    {localization::msg::kRemoving, "Removing : 0% Completed."},
    {localization::msg::kRemoving2, "Removing"},
    {localization::msg::kCompleted, "Completed."},
    {localization::msg::kMissingfiles, "Files Missing, Run Live Update"},
    {localization::msg::kNocompany, "No Company name available for"},
    {localization::msg::kDownloading, "Connecting to server/downloading....."},
    {localization::msg::kConnecting, "Connecting to server....."},
    {localization::msg::kChecking, "Checking for Definitions....."},
    {localization::msg::kConnecting2, "Connecting to the Server."},
    {localization::msg::kSending, "Sending and receiving data, please wait."},
    {localization::msg::kSent, "Successfully sent the request."},
    {localization::msg::kReceiving, "Receiving a response from the Server."},
    {localization::msg::kScanCancelled, "Scanning was cancelled."},
    {localization::msg::kScanCompleted, "Scanning complete."},
    {localization::msg::kResults, "Results:"},
    {localization::msg::kResultsThank, "submitted.  Thank you!"},
    {localization::msg::kProblem, "There was a problem submitting"},
    {localization::msg::kProblem2,
     "Please make sure you are connected to the internet, or try again later."},
    {localization::msg::kUpdatedDefs, "Your [ProgramName] definitions have been updated!"},
    {localization::msg::kRecentDefs, "You are using the most recent [ProgramName] definitions."},
    {localization::msg::kWebsite, "Visit [Website]"},
    {localization::msg::kCaption, "[ProgramName] by [Company]"},
    {localization::msg::kCaption2, "Welcome to [ProgramName]"},
    {localization::msg::kCookies, "Inspecting Cookies"},
    {localization::msg::kCookiesFinished, "Finished Inpecting Cookies"},
    {localization::msg::kMemory, "Inspecting memory"},
    {localization::msg::kNotseleced, "Not Selected"},
    {localization::msg::kRegistry, "Scanning registry"},
    {localization::msg::kSpyware, "Scanning known Spyware/Adware"},
    {localization::msg::kInformation, "Gathering information..."},
    {localization::msg::kRestorepoint, "Creating Restore Point..."},
    {localization::msg::kComplete, "complete"},
    {localization::msg::kHomepageLocked,
     "Your homepage could not be restored: Windows refused the change. The setting may be locked "
     "by a policy or need administrator rights."},
    // The Languages window's title and its download confirmation.
    {localization::msg::kTitlelanguage, "Languages"},
    {localization::msg::kDownloaded, "The newest language file has been downloaded."},
    // Live Update of a build that checks signatures, when an answer fails the check.
    {localization::msg::kUpdateRefused,
     "The definition update could not be verified and was not installed. Your [ProgramName] "
     "definitions are unchanged."},
    // The status page, when Live Update has not succeeded for longer than the limit ("[Days]").
    {localization::msg::kUpdateOverdue,
     "Live Update has not succeeded for more than [Days] days. Run Live Update to stay "
     "protected."},
    // The Restore window: its title, the kinds of removed items, its size figure and its
    // questions.
    {localization::msg::kTitleRestore, "Restore from Quarantine"},
    {localization::msg::kKindFile, "File"},
    {localization::msg::kKindFolder, "Folder"},
    {localization::msg::kKindCookie, "Cookie"},
    {localization::msg::kKindRegistryValue, "Registry value"},
    {localization::msg::kKindRegistryKey, "Registry key"},
    {localization::msg::kKindFromLog, "(from the log)"},
    {localization::msg::kQuarantineSize, "Quarantine size:"},
    {localization::msg::kRestoreNothingSelected,
     "No items are selected.  Select at least one item in the list."},
    {localization::msg::kRestoreReplace,
     "Something is at this location now. Do you want to replace it with the copy from the "
     "quarantine?"},
    {localization::msg::kRestoreProtected,
     "This location is protected. The item cannot be restored there:"},
    {localization::msg::kRestoreNoCopy, "The quarantine holds no copy of this item:"},
    {localization::msg::kRestoreFailed, "This item could not be restored:"},
    {localization::msg::kRestoreExclude,
     "Do you want to add the restored items to the exclusions, so that the next scan does not "
     "remove them again?"},
    {localization::msg::kPurgeSure,
     "Are you sure you want to delete the selected items from the quarantine? They cannot be "
     "restored afterwards."},
    {localization::msg::kPurgeFailed, "This item could not be deleted from the quarantine:"},
};

void LoadDefaultMessages(clsLanguages& languages) {
  for (const DefaultMessage& message : kDefaultMessages) {
    languages.setMessage(message.key, message.text);
  }
}

}  // namespace localization
