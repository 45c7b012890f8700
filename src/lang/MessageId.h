#pragma once

// Identifiers of the program's messages. A language source holds its translations under the
// same numbers, so the numbers never change once given out.
enum MessageId : int {
    MsgLanguageRussian = 65264,
    MsgVersion = 65265,
    MsgRemoveAllFiles = 65266,
    MsgDiscardEdits = 65267,

    MsgFileChanged = 65280,
    MsgFileUnchanged = 65281,
    MsgFileUnchangedHits = 65282,
    MsgFileCount = 65283,
    MsgSaveError = 65284,
    MsgSaveErrorCaption = 65285,
    MsgFolderMissing = 65286,
    MsgCreateFolder = 65287,
    MsgCannotCreateFolder = 65288,
    MsgCannotCreateFile = 65289,
    MsgDiskFull = 65290,
    MsgFileListFilter = 65291,
    MsgRemoveMissingFiles = 65292,
    MsgFileHits = 65293,
    MsgFilesWithHits = 65294,
    MsgTotalHits = 65295,
    // 65296 and 65297 are taken by the platform's own messages.
    MsgNothingToProcess = 65298,
    MsgNothingToFind = 65299,
    MsgAllExtensions = 65300,
    MsgConfirmation = 65301,
    MsgRetryQuestion = 65302,
    MsgAbortQuestion = 65303,
    MsgAborted = 65304,
    MsgSelectBlock = 65305,
    MsgTotals = 65306,
    MsgProcessedFiles = 65307,
    MsgUnprocessedFiles = 65308,
    MsgChangedFiles = 65309,
    MsgUnchangedFiles = 65310,
    MsgReplacementsMade = 65311,

    // Report lines for files a run cannot handle safely.
    MsgFileUnreadable = 65312,
    MsgFileBinary = 65313,
    MsgFileNotEncodable = 65314,
    MsgFileNotSaved = 65315,
    MsgReplaceExistingFile = 65316,
    MsgPrintFailed = 65317,
    MsgFileChangedOnDisk = 65318,
    MsgFileAlreadyProcessed = 65319,
    MsgDryRun = 65320,
    // The program started where no window can be shown.
    MsgNoDisplay = 65322,

    // Texts of the platform's library that the program shows as its own errors.
    MsgLoadStreamFailed = 65324,
    MsgCannotInsertLine = 65330,
    MsgCannotWriteSettings = 65336,
    MsgCannotCreateFileError = 65447,
    MsgCannotOpenFile = 65448,
};
