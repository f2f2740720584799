# SetFileAttributes writes each date as given; a date not given keeps the file's own.
call SetFileAttributes("both.txt", {time = "05-Mar-2010 14:07:09", lastaccesstime = "06-Apr-2011 15:08:10"})
print GetFileAttributes("both.txt").time, GetFileAttributes("both.txt").lastaccesstime
call SetFileAttributes("access.txt", {lastaccesstime = "07-May-2012 16:09:11"})
print GetFileAttributes("access.txt").time, GetFileAttributes("access.txt").lastaccesstime
call SetFileAttributes("modify.txt", {time = "08-Jun-2013 17:10:12"})
print GetFileAttributes("modify.txt").time, GetFileAttributes("modify.txt").lastaccesstime
