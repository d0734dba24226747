/* Control of the simulated VISA library from tests in the same process.
   Exported by the simulated VISA32.DLL beside the VISA functions and linked
   in with the static library sfp_visa_sim. */
#ifndef SFP_SIM_CONTROL_H
#define SFP_SIM_CONTROL_H

#ifdef __cplusplus
extern "C" {
#endif

/* Replaces the whole mainframe with the configuration text (NULL: the built-in
   mainframe) and powers every instrument on; every open handle becomes invalid
   and the recorded traffic is cleared. Returns 0, or the 1-based number of the
   first bad line, in which case nothing changes. */
int tgqsim_configure(const char* configText);

/* The traffic lines recorded since the last configure or clear, NUL-terminated
   and cut to size bytes. Returns the full length, NUL not counted. */
int tgqsim_traffic(char* buffer, int size);
void tgqsim_clear_traffic(void);

/* The instrument's state as key=value lines, cut like tgqsim_traffic. Returns
   the full length, or -1 for an unknown resource or one without a Q3207. */
int tgqsim_state(const char* rsrc, char* buffer, int size);

/* Pushes an entry into the instrument's error queue. Returns 0, or -1 for an
   unknown resource or one without a Q3207. */
int tgqsim_queue_error(const char* rsrc, int code, const char* message);

#ifdef __cplusplus
}
#endif

#endif
