<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en">
<context>
    <name>Orvane::AboutBox</name>
    <message>
        <source>Orvane Dowsing is a divination software which is for anyone who does dowsing. The program allows you to keep a track of all your dowsing experience, along with the dowsing tool you used. Orvanelog has been so designed which anyone should have if they do dowsing for fun or profit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click here to visit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::AppInfo</name>
    <message>
        <source>Orvane Dowsing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 v%2</source>
        <comment>the program&apos;s name, then its version</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::BarChart</name>
    <message>
        <source>%1, %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::ChartPage</name>
    <message>
        <source>Chart; its numbers are in the table beside it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart could not be saved to &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart could not be printed on &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::CustomerModel</name>
    <message>
        <source>Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Date</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::CustomersWindow</name>
    <message>
        <source>Customers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Customers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find customers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows only the customers whose name, phone number or city holds this text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows every customer again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To See A Customer&apos;s Records, Move the Arrow Up and Down to the Customer and Press Enter or Double Click.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Customers...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customers (counting...)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customers (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 customers</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::DailyBackup</name>
    <message>
        <source>Today&apos;s back-up of your records was not made: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 is a link to another place, and back-ups are written only into a folder of their own. Make it a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 holds too many other things named as today&apos;s back-up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk has %1 free, and a back-up needs %2, twice the size of your records.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file %1 is damaged or cannot be read. Your earlier back-ups were kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 could not be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. Your earlier back-ups were kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A back-up dated after today was kept apart as %1: the computer&apos;s clock was ahead when it was made, or is behind now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back-ups dated after today were kept apart as %1: the computer&apos;s clock was ahead when they were made, or is behind now.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::DeletedRecordsModel</name>
    <message>
        <source>Date Deleted</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::DeletedRecordsWindow</name>
    <message>
        <source>Deleted Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted Records, The One Deleted Last &amp;First:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Puts the chosen record back among your records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete for Good</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removes the chosen record from the file; it cannot be put back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::DowsingRecord</name>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>City</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time Of Dowsing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item Of Dowsing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IdNumber</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::EntryMenus</name>
    <message>
        <source>&amp;Add New Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View All  Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List each customer once, with their records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counts and charts of every record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export every record to a CSV file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import Records...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add the records of a CSV file made by Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back Up Database...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save a copy of the whole record database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Go To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;First</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By &amp;Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By Dowsing &amp;Toll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By &amp;Item Dowsing For</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Count Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Online Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Visit Us Online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Check for Software Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Software</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Donate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Money &amp;Online</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::EntryRecords</name>
    <message>
        <source>Record Saved Succesfully !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record Edited Succesfully !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1<byte value="xd"/>What you entered is kept: press Add to save it as a new record.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, So Your Changes Have Not Been Written Yet.<byte value="xd"/><byte value="xd"/>%2<byte value="xd"/>Write Your Changes Into It ? The Fields You Did Not Change Keep What It Holds Now.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::EntryWindow</name>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do You Want To Start A New Record Anyway ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Changes To This Record Have Not Been Updated !<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Record You Are Entering Has Not Been Saved !<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do You Want To Exit Anyway ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next &gt;&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;&lt; &amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing is one of the most ancient forms of divination and has been practised for around thousands of years, which detects things like underground water, hidden metal and treasures, oil, lost persons, etc. Orvane Dowsing is a divination software that allows you to keep a track of your different dowsing experiences in the form a dowsing diary. It helps you to know from a glance what customers you dowsed for, what were you trying to detect and other comments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Just input your customer details  (his name, address, contact number and other additional notes) and enjoy your dowsing experience!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add New &amp;Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View All Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Customer&apos;s Details:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>City:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pin Number:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone Number:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email Address:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your changes to the record of %1 were not yet updated when the program was ended last time, and were kept.<byte value="xd"/>Do you want them back in the form? No throws them away.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record you were entering when the program was ended last time was not yet saved, and was kept.<byte value="xd"/>Do you want it back in the form? No throws it away.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tools And Item Used For Dowsing:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Tool:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter The Name of The Dowsing Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name Of The Dowsing Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter Dowsing Tool !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Item:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter The Name of The Dowsing Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name Of The Dowsing Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter Dowsing Item !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AM or PM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ho&amp;ur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>M&amp;inute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Time:-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Date:-</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::ExitScreen</name>
    <message>
        <source>Thank You For Using Orvane Dowsing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsers from all over the world meet on our discussion board to share what they find. Tell us what your rods or pendulum found today - we would love to hear about it!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Have a question about dowsing? Ask it on our discussion board, where experienced dowsers gladly help newcomers with rods, branches and pendulums.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found water, oil or something that was lost? Post your story on our discussion board and compare notes with other dowsers. Every experience helps someone learn.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Our discussion board is free to join. Swap tips, read about tools and techniques, and tell us what you would like to see in the next version of Orvane Dowsing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thank you for using Orvane Dowsing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Happy dowsing - we hope to see you again soon.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Join the discussion board at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit Us Online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Donate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tell a friend about Orvane Dowsing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I keep my dowsing diary with Orvane Dowsing and thought you might like it too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your &amp;name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your &amp;e-mail:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Friend&apos;s name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Friend&apos;s e-&amp;mail:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Messa&amp;ge:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter your friend&apos;s e-mail address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a valid e-mail address for your friend.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a valid e-mail address of your own, or leave it empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please keep the message under %1 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your browser was opened to send the invitation.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::FieldFilters</name>
    <message>
        <source>Please Enter Only Alphabet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter Correct Email Address !</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::FindBar</name>
    <message>
        <source>Find records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;ind:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows only the records holding this text in any field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows every record again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows only the records of %1 holding this text in any field</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::FindIndexUpgrade</name>
    <message>
        <source>Preparing your records for finding...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your records are as they were. Finding records is slower until they are prepared; the program offers it again when it next starts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparing your records for finding was cancelled.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your records could not be prepared for finding:
%1

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk has %1 free, and it needs %2, twice the size of your records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Giving back the room the damaged index took...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The find index inside %1 is damaged. Your records themselves are sound: they can be read, found, exported and backed up, but nothing can be saved in the file until the index is built anew.<byte value="xd"/><byte value="xd"/>Build it anew now? A copy of the file as it is now is kept first, as &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keeping a copy of your records...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No copy of the file could be kept, so the index was not built anew:<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The find index inside %1 was built anew: your records can be found and saved again. The copy of the file as it was is kept as &quot;%2&quot;; you may delete it once your records look right.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/><byte value="xd"/>The room the damaged index took inside the file could not be given back, and stays unused there; your records are sound. (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preparing your records for finding (done once)...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::FrameWindow</name>
    <message>
        <source>Join the Orvane Dowsing discussion board, the meeting place for dowsers everywhere. Share your finds, ask about rods, branches and pendulums, compare notes on searches for water, oil and lost things, and learn from experienced dowsers. Membership is free: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>the offer, then the words that lead to its page</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notice</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::HintLine</name>
    <message>
        <source>Click On%1To  Enter New Customer Details</source>
        <comment>%1: a run of blanks, over which the words Add New Record lie</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add New Record</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::OtherChooser</name>
    <message>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::QtPlatform</name>
    <message>
        <source>The disk took only part of the file: it may be full.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::RecordImport</name>
    <message>
        <source>1 row with every field empty was skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 rows with every field empty were skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file changed after it was checked: it no longer holds the %1 that were checked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Line %2: %3</source>
        <comment>%1: that the file changed</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The import was cancelled: no record was imported, and the database was left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot;...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be imported: line %2 is not a record the import can read.<byte value="xd"/><byte value="xd"/>%3<byte value="xd"/><byte value="xd"/>No record was imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be read.<byte value="xd"/><byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; holds no records.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 will be added to the database from &quot;%2&quot;.%3<byte value="xd"/><byte value="xd"/>Do you want to add it?</source>
        <comment>%3: the rows skipped, if any</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 will be added to the database from &quot;%2&quot;.%3<byte value="xd"/><byte value="xd"/>Do you want to add them?</source>
        <comment>%3: the rows skipped, if any</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 imported from &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No record was imported.<byte value="xd"/><byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::RecordListModel</name>
    <message>
        <source>(removed by another program)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::RecordListWindow</name>
    <message>
        <source>Short Summary Of Dowsing Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To Select Your Record, Move the Arrow Up and Down to the Chosen Row and  Double Click to See Complete Record Details. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There Is No Record !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer: %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer: a record without name or phone number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Deleted Records...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::RecordReport</name>
    <message>
        <source>This data has not been entered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Only the first %1 of its %2 characters are shown here. Save and Print give them all.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 :- </source>
        <comment>an entry&apos;s label: the field&apos;s heading</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsin Item</source>
        <comment>the item&apos;s heading when the record names one</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some of the record&apos;s texts are too long to show whole: the report says where. Save and Print give them all.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::RecordRestorer</name>
    <message>
        <source>Another Program Changed The Deleted Records Since They Were Shown, So %1<byte value="xd"/>They Are Shown As They Are Now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Deleted Record, %1, Is Back Among Your Records.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another Record Holds Its Old Place Now, So It Comes Last In The Order Of Addition.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Without A Name Or Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing Was Put Back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do You Really Want To Delete This Record For Good ?<byte value="xd"/>It Cannot Be Put Back Afterwards. Back-ups Made Before Still Hold It.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing Was Deleted For Good.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Record Is Deleted For Good.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Record You Deleted Last, %1, Is No Longer Among The Deleted Records: Another Program Changed Them. Nothing Was Put Back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There Is No Deleted Record To Put Back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put Back The Record Deleted Last, %1 ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put Back The Record Deleted Last, %1, Deleted %2 ?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::RecordTransfer</name>
    <message>
        <source>1 field held bytes that are not UTF-8 text (another program stored them). In the file each such byte is the Windows-1252 character it stands for (byte FC as &quot;ü&quot;), and a zero character is &quot;�&quot;. The records in the database are unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fields held bytes that are not UTF-8 text (another program stored them). In the file each such byte is the Windows-1252 character it stands for (byte FC as &quot;ü&quot;), and a zero character is &quot;�&quot;. The records in the database are unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing database (*.dll)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database %1 could not be opened.<byte value="xd"/><byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 exported to &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The export was cancelled: no file was written, and &quot;%1&quot; was left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The records could not be exported to &quot;%1&quot;; no file was written.<byte value="xd"/><byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back Up Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The back-up cannot be written over the database %1 itself. Choose another file, in another folder or under another name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backing up the database...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database was backed up to &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The back-up was cancelled: no file was written, and &quot;%1&quot; was left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database could not be backed up to &quot;%1&quot;; no file was written.<byte value="xd"/><byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::RecordViewWindow</name>
    <message>
        <source>Dowsing Record Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete This Dowsing Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit This Dowsing Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2.<byte value="xd"/><byte value="xd"/>%3<byte value="xd"/>It Is Shown Again As It Is Stored Now.</source>
        <comment>%1: that another program changed the record, %2: what follows, %3: the changes</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>So It Is Not Put Up For Editing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 of this record hold %2 characters, more than the entry form can show (%3).</source>
        <comment>%1: the field&apos;s heading</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 of this record hold a line of more than %2 characters without a space or other place to break it, more than the entry form can show.</source>
        <comment>%1: the field&apos;s heading</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source><byte value="xd"/>So the record is not put up for editing, which would cut them. The report shows their start; Save and Print give them whole.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There Is No Record to Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry The Given Record Is Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There Is No Record to Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do You Really Want To Delete This Record ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record Deleted Succesfully !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>So It Was Not Deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Record Is No Longer In The File: Another Program Removed It.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::Refusals</name>
    <message>
        <source>Required File Is Missing<byte value="xd"/>Please Reinstall Software</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Required File Cannot Be Opened<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record Not Saved !<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Record Could Not Be Deleted<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Deleted Record Could Not Be Put Back<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Deleted Record Could Not Be Removed For Good<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Dowsing Records Could Not Be Opened<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Dowsing Records Could Not Be Read<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Dowsing Record Could Not Be Read<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Record Could Not Be Read<byte value="xd"/>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is no longer in the database.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::ReportExport</name>
    <message>
        <source>Saving the report...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rich Text Format (*.rtf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The save was cancelled: no report was written, and &quot;%1&quot; was left as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be saved to &quot;%1&quot;.<byte value="xd"/><byte value="xd"/>%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing the report...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printing on &quot;%1&quot; was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed on &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::Selectors</name>
    <message>
        <source>AM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>January</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>February</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>March</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>April</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>May</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>June</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>July</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>August</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>September</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>October</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>November</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>December</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Branch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pendulam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>water</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Treasure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing Person</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Others</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::SharedTexts</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find Records...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export Records...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Customers...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;tatistics...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort &amp;Ascending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort &amp;Descending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Original Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cycle Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.<byte value="xd"/>Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::Startup</name>
    <message>
        <source>Application is already running</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::StatisticsWindow</name>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dowsing Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records per month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records by tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records by item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ten most frequent cities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>City</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;ools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cities</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Chart...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print Chart...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Chart as PNG...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 records of %2 customers, from %3 to %4; %5 without a date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 records of %2 customers, from %3 to %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 records of %2 customers; %3 without a date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 records of %2 customers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 others</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::Store</name>
    <message>
        <source>Something else took the name %1 meanwhile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 could not be replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy could not be closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 was replaced while it was being copied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The back-up cannot be written over the open database %1 itself: choose another file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The copy&apos;s permissions could not be set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file holds a table %1 that this program did not make, so no copy of the record could be kept there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file did not take the copy of the record.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file did not take the record.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The deleted record is no longer kept in the file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The keys of the table %1 are not in order.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The date %1 is not a calendar date in the form yyyy-MM-dd.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The date %1 has a two-digit year, which may be of any century. Save the dates in the form yyyy-MM-dd and import the file again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The date %1 may be %2 or %3. Save the dates in the form yyyy-MM-dd and import the file again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the column %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>column %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A quoted field in %1 is not closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text follows the closing quote of %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A field in %1 holds a double quote but is not enclosed in double quotes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A carriage return outside quotes is not followed by a line feed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The row is longer than %1 MB: a quote in it may not be closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is empty: it has no header row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header row is not UTF-8 text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header row names a column %1, which is no field of a record. The fields are %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header row names the field %1 twice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The header row names no column %1: every record needs its date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The row has 1 field where %1 fields are expected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The row has %1 fields where %2 fields are expected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The row holds text in column %1, which the header row gives no name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The field in %1 holds a zero character, which no record may hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The field in %1 is not UTF-8 text. Save the file as UTF-8 and import it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 (was %3)</source>
        <comment>a changed field: its caption, what it holds now, what it held</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Record Was Changed By Another Program Since It Was Shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An unfinished change found beside %1 belongs to another copy of the file, which has since replaced it, and must not be applied to it. It could not be set aside (%2), so the file was not opened and nothing was changed. Move %3 out of the folder %4, then start the program again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An unfinished change found beside %1 belonged to another copy of the file, which has since replaced it. It was set aside as %2 and not applied; your records are as the file holds them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The find index could not be kept in step: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The date &quot;%1&quot; could not be stored: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record has no IdNumber.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record no longer exists in the database.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record was changed by another program since it was shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is damaged beyond its find index: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No copy of the record could be kept, so it was not deleted: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program changed the deleted records since they were shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your records file %1 is missing, though its folder still holds what it left there (%2).<byte value="xd"/>A new, empty file is not made in its place: put your records file, or a back-up from &quot;Dowsing backups&quot;, there under the name Dowsing.dll, then start the program again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The empty record file the program ships could not be copied to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the disk took only part of it: it may be full.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be named %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is read-only, so no record could be saved in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 is read-only, so no record could be saved in the file inside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 was replaced while it was being opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database has no table Details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The table Details has no field %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The field IdNumber of the table Details is not its key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program is reading the file %1 and keeps its write-ahead log from being copied into it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 is no longer there: it was removed or moved while the program ran, and it is not made anew.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 was replaced, and the file there now cannot be used: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The find index inside the file %1 is damaged, so nothing is saved in the file until the index is built anew. Your records themselves are sound. (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 was replaced or removed while the change was being written, so the file there now does not hold it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program is reading the file %1 and keeps this change in the write-ahead log beside it (%2) until it stops. Until then, copy both files together to keep a copy of your records.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Date Is Not A Valid Calendar Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is damaged: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped before it was done.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::UpdateReminder</name>
    <message>
        <source>There maybe an update to this software available<byte value="xd"/>Do you want to check for an update?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::UserGuide</name>
    <message>
        <source>%1 - User Guide</source>
        <comment>the program&apos;s caption</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::WebPages</name>
    <message>
        <source>Home Business Opportunity. Start your own Internet business and make money online. Get this software fully branded for your website.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click here for more details.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Orvane::WindowCoordinator</name>
    <message>
        <source>All records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holding &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do You Want To Replace It With This Dowsing Record ?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
