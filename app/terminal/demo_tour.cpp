// The tour's script: the sample database's homes and months, step by step; `pause` waits for
// Enter between steps when a person watches.
#include "app/terminal/demo_tour.h"

namespace trf {

const char* DemoTourScript() {
  return R"(say The tour runs trf's own commands on a fresh copy of the sample database; each step says what to watch.
say *** Step 1: Residents need a home: with none selected, the library sends you to Our Home.
go residents
expect dialog error 2183:
expect == Our Home ==
pause
say *** Step 2: Cedar Lodge has no active TRF: the residents screen sends you to TRF Setup.
select 3
expect current home: H-103 Cedar Lodge
go residents
expect dialog error 2184:
expect == TRF Setup ==
pause
say *** Step 3: Choose February and start its TRF from the command bar; now the residents open.
select 1
click StartTrf
expect TRF active for February 2004
go residents
expect == Residents ==
pause
say *** Step 4: Add a resident; Cedar Lodge has room for 4, so the group rule refuses to let you leave.
add
set name Ivy Moss
set birthdate 1/2/1930
set admission 2/1/2004
go home
expect dialog error 3501:
expect stayed on Residents
pause
say *** Step 5: Remove the new resident and one more: the group fits again and you may leave.
answer yes
remove
answer yes
remove
go home
expect == Our Home ==
pause
say *** Step 6: Maple House, March. A hard rule: a negative fee is refused outright.
select 1
go setup
select 3
expect current month: March 2004, TRF active
go residents
select 2
expect name      : Ben Okafor
set fee -5
expect dialog error 3005: Monthly fee cannot be negative.
expect fee refused
set fee 2350
pause
say *** Step 7: A soft rule: Nora Pike's new fee is unusually high. Declined first, then accepted...
select 4
expect name      : Nora Pike
set fee 7900
expect dialog question 3121:
expect answered no (no answer was queued)
expect fee refused
answer yes
set fee 7900
expect dialog question 3121:
expect answered yes
expect fee accepted
say *** ... and when the whole record is checked on saving, the accepted answer is remembered: no question.
save
expect record saved
pause
say *** Step 8: Leaving the residents: the month's fee total jumped, a group question; accept it.
answer yes
go home
expect dialog question 3502:
expect == Our Home ==
pause
say *** Step 9: Send-off checks every screen quietly first; it stops on the residents, where it is run again aloud: Nora Pike's fee was accepted and stays accepted (the acceptance is on record), Tom Reyes's dates are refused and the list moves to him.
go residents
sendoff
expect send-off stopped on Residents
expect dialog error 3111: Admission date 2/1/1998 lies before the birth date 5/5/1999.
expect send-off refused
expect * 5     Tom Reyes
say *** Put Tom's birth date right and send off again: the questions left are answered yes, and the TRF is ready.
set birthdate 5/5/1929
expect birthdate accepted
answer yes
sendoff
expect send-off passed
expect the TRF is filed
say *** The TRF is filed in your name: its month stays as filed until someone reopens it and says why.
go setup
reopen the notes are still to be written
expect TRF reopened
pause
say *** Step 10: The notes of the month: the rich-text toolbar on the command bar follows the selection.
go notes
type Residents settled in well.
set selection 0 9
click BoldClick
expect [BoldClick]*
set selection 14 7
expect [BoldClick] [ItalicClick]
set selection 2 3
expect [BoldClick]*
)";
}

}  // namespace trf
