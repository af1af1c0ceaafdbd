#include "cli/RecordingStore.h"

tagFileError CRecordingStore::Replace(const std::u16string& path, std::string_view bytes,
                                      Durability durability)
{
    tagFileError error = m_files.Replace(path, bytes, durability);
    if (!error.Failed())
        m_written.Add(path, bytes);
    return error;
}

tagFileError CRecordingStore::ReplaceTogether(const std::vector<tagFileWrite>& writes)
{
    tagFileError error = m_files.ReplaceTogether(writes);
    if (!error.Failed()) {
        for (const tagFileWrite& write : writes)
            m_written.Add(write.path, write.bytes);
    }
    return error;
}
