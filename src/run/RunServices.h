#pragma once

class Backup;
class EngineState;
class MessageCatalogue;
class OptionState;
class Report;
class ReviewSession;
class RunHost;

// What a run works with; all of it lives as long as the program.
struct RunServices {
    EngineState &state;
    const OptionState &options;
    const MessageCatalogue &messages;
    ReviewSession &review;
    RunHost &host;
    Report &report;
    const Backup &backup;
};
