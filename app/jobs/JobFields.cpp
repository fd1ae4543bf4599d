#include "app/jobs/JobFields.h"

namespace jobs {

void ResetJobFields(TJobFields& fields) {
    TJobFields reset;
    reset.All_Trant_Number = fields.All_Trant_Number;
    reset.Video_AddFileName = fields.Video_AddFileName;
    fields = reset;
}

}  // namespace jobs
