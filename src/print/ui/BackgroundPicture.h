#pragma once

class Dataset;
class FileDialogs;

// Lets the user choose the picture of the blank invoice form. A cancel changes nothing;
// otherwise the single row of fpdz (started when the table has none) takes the full path
// at once, so the next print command uses it, and Save stores it. Returns whether a file
// was chosen.
bool chooseBackgroundPicture(FileDialogs &dialogs, Dataset &fpdzqry);
