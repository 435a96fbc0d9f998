// What a file or folder dropped on the window does: a GPS log becomes a
// new boat of the race (its line is added to the race file, and the race
// opens again), a folder of photographs becomes the race's pictures. Every
// refusal tells the user why and leaves the files on disk as they were.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "app/drop_questions.h"
#include "pictures/picture_catalogue.h"
#include "session/race_session.h"

namespace korvane {

enum class DropKind { Folder, Log, Other };

// A path whose last five characters hold no "." is taken for a folder, as
// the race folders' users have always dropped them; of files, only logs of
// the droppable formats count.
DropKind classifyDrop(const QString& path);

struct DropOutcome {
    enum class Action { None, ReopenRace, NewPictures };
    Action action = Action::None;
    PictureCatalogue pictures;  // NewPictures: the set that replaces the race's
};

class FileDrops {
  public:
    explicit FileDrops(DropQuestions& questions) : ask_(questions) {}

    // Handles one drop of `paths` (only the first counts) on the open race.
    // `picturesRegistered`: the race shows pictures now.
    DropOutcome handle(const QStringList& paths, const RaceSession& session,
                       bool picturesRegistered);

  private:
    DropOutcome addLog(const QString& path, const RaceSession& session);
    DropOutcome takePictures(const QString& path, const RaceSession& session,
                             bool picturesRegistered);

    DropQuestions& ask_;
};

}  // namespace korvane
