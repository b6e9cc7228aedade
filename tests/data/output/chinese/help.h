#define IDH_ID100 100

